#include "link/replyledger.h"

QByteArray ReplyLedger::keyOf(const QByteArray& request)
{
    // Marker frames: 7E, two address bytes, the message code; a page's number follows the record head.
    if (request.startsWith('\x7E'))
        return request.left(5) + request.mid(10, 1);
    // Address-led frames: address, command, parameter, item index.
    return request.left(4);
}

bool ReplyLedger::couldAnswer(const QByteArray& key, const QByteArray& frame)
{
    // The instrument answers with its own address first; the loader's replies are marker frames.
    return !key.isEmpty() && !frame.isEmpty() && frame.at(0) == key.at(0);
}

void ReplyLedger::lapse(qint64 now)
{
    const int kept = waiting ? entries.size() - 1 : entries.size();
    for (int i = kept - 1; i >= 0; --i) {
        if (entries.at(i).expires >= 0 && entries.at(i).expires <= now)
            entries.removeAt(i);
    }
}

void ReplyLedger::sent(const QByteArray& request, qint64 now)
{
    lapse(now);
    Entry entry;
    entry.key = keyOf(request);
    entry.sentAt = now;
    entries.append(entry);
    waiting = true;
}

bool ReplyLedger::frameArrived(qint64 now, const QByteArray& frame)
{
    if (!waiting)
        return false;
    lapse(now);
    const Entry current = entries.last();
    // Every debt is looked at, oldest first: late replies need not come in the order asked (the
    // next item's late answer may come before the retry's twin), and a debt behind one that this
    // frame cannot pay is still a debt.
    for (int i = 0; i + 1 < entries.size(); ++i) {
        const Entry& debt = entries.at(i);
        const bool alike = debt.key == current.key;
        // A debt of known lateness takes only its twin. One whose lateness is unknown (its request
        // timed out and was not asked again) takes only an alike request's frame: its caller gave
        // up on it, and an answer to another question is no answer to it.
        const bool pays = couldAnswer(debt.key, frame) && (debt.due < 0 ? alike : frame == debt.answer);
        if (!pays)
            continue;
        const qint64 latency = now - debt.sentAt;
        entries.removeAt(i);
        if (!alike)
            return false;
        // An answer to the same question: it serves, and the waiting request's own reply is the
        // one still to come, about as late.
        Entry& moved = entries.last();
        moved.due = current.sentAt + latency;
        moved.slack = qMax(MinSlackMs, latency);
        moved.expires = moved.due + moved.slack;
        moved.answer = frame;
        waiting = false;
        return true;
    }
    entries.removeLast();
    waiting = false;
    return true;
}

void ReplyLedger::unanswered(qint64 now, qint64 unknownDebtMs)
{
    if (!waiting)
        return;
    Entry& current = entries.last();
    current.due = -1;
    current.expires = now + unknownDebtMs;
    waiting = false;
    lapse(now);
}

int ReplyLedger::debtPaidBy(const QByteArray& frame) const
{
    // A twin pays its own debt; any other frame from the instrument pays the oldest debt whose
    // lateness is unknown, never another's twin.
    for (int i = 0; i < entries.size(); ++i) {
        const Entry& debt = entries.at(i);
        if (debt.due >= 0 && frame == debt.answer && couldAnswer(debt.key, frame))
            return i;
    }
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).due < 0 && couldAnswer(entries.at(i).key, frame))
            return i;
    }
    return -1;
}

bool ReplyLedger::strayFrame(qint64 now, const QByteArray& frame)
{
    lapse(now);
    if (waiting)
        return false;
    const int paid = debtPaidBy(frame);
    if (paid < 0)
        return false;
    entries.removeAt(paid);
    return true;
}
