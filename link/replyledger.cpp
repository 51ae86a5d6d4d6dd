#include "link/replyledger.h"

QByteArray ReplyLedger::keyOf(const QByteArray& request)
{
    // Marker frames: 7E, two address bytes, the message code; a page's number follows the record head.
    if (request.startsWith('\x7E'))
        return request.left(5) + request.mid(10, 1);
    // Address-led frames: address, command, parameter, item index.
    return request.left(4);
}

int ReplyLedger::itemOf(const QByteArray& key)
{
    constexpr char ReadCommand = 0x03;
    constexpr char WriteCommand = 0x0F;
    constexpr char ItemParameter = 0x4B;
    // Writing index 255 switches the debug output: its answer names no item.
    constexpr int NoItemWrite = 255;
    if (key.size() < 4 || key.startsWith('\x7E') || key.at(2) != ItemParameter)
        return -1;
    const int index = quint8(key.at(3));
    if (key.at(1) == ReadCommand || (key.at(1) == WriteCommand && index != NoItemWrite))
        return index;
    return -1;
}

QByteArray ReplyLedger::nameOf(const QByteArray& frame)
{
    constexpr int HeadBytes = 3;
    constexpr int FrameOverhead = 5;
    if (frame.size() < FrameOverhead || frame.at(1) != 0x03 || quint8(frame.at(2)) + FrameOverhead != frame.size())
        return QByteArray();
    const QByteArray text = frame.mid(HeadBytes, quint8(frame.at(2)));
    const int colon = text.indexOf(':');
    return colon < 0 ? text : text.left(colon);
}

QByteArray ReplyLedger::telling(const QByteArray& frame) const
{
    const QByteArray name = nameOf(frame);
    return repeatedNames.contains(name) ? QByteArray() : name;
}

bool ReplyLedger::sameAnswer(const Entry& debt, const QByteArray& frame) const
{
    if (frame == debt.answer)
        return true;
    const QByteArray name = telling(frame);
    return !name.isEmpty() && name == nameOf(debt.answer);
}

int ReplyLedger::itemNamed(const QByteArray& name) const
{
    for (auto item = itemNames.cbegin(); item != itemNames.cend(); ++item) {
        if (item.value() == name)
            return item.key();
    }
    return -1;
}

int ReplyLedger::debtFor(int item) const
{
    const int debts = waiting ? entries.size() - 1 : entries.size();
    for (int i = 0; item >= 0 && i < debts; ++i) {
        if (itemOf(entries.at(i).key) == item)
            return i;
    }
    return -1;
}

bool ReplyLedger::refusedByName(const QByteArray& frame)
{
    const Entry& current = entries.last();
    const int item = itemOf(current.key);
    const QByteArray name = telling(frame);
    if (item < 0 || name.isEmpty() || !couldAnswer(current.key, frame))
        return false;
    const int named = itemNamed(name);
    const QByteArray known = itemNames.value(item);
    if (!known.isEmpty() && !repeatedNames.contains(known) && known != name) {
        // The item answered under another name before: this is some other item's answer.
        const int debt = debtFor(named);
        if (debt >= 0)
            entries.removeAt(debt);
        return true;
    }
    if (named < 0 || named == item)
        return false;
    // An item already taken answers again: while a debt is owed, that is a late answer paying it,
    // not the waiting item's. Without any debt it may be an item whose name repeats one before it.
    int debt = debtFor(named);
    for (int i = 0; debt < 0 && i + 1 < entries.size(); ++i) {
        if (entries.at(i).key != current.key)
            debt = i;
    }
    if (debt < 0)
        return false;
    entries.removeAt(debt);
    return true;
}

void ReplyLedger::learnName(int item, const QByteArray& frame)
{
    const QByteArray name = nameOf(frame);
    if (item < 0 || name.isEmpty())
        return;
    const int other = itemNamed(name);
    if (other >= 0 && other != item)
        repeatedNames.insert(name);
    itemNames.insert(item, name);
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
    if (refusedByName(frame))
        return false;
    const Entry current = entries.last();
    const int item = itemOf(current.key);
    // Every debt is looked at, oldest first: late replies need not come in the order asked (the
    // next item's late answer may come before the retry's twin), and a debt behind one that this
    // frame cannot pay is still a debt.
    for (int i = 0; i + 1 < entries.size(); ++i) {
        const Entry& debt = entries.at(i);
        const bool alike = debt.key == current.key;
        // A debt of known lateness takes only its twin. One whose lateness is unknown (its request
        // timed out and was not asked again) takes only an alike request's frame: its caller gave
        // up on it, and an answer to another question is no answer to it.
        const bool pays = couldAnswer(debt.key, frame) && (debt.due < 0 ? alike : sameAnswer(debt, frame));
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
        learnName(item, frame);
        return true;
    }
    entries.removeLast();
    waiting = false;
    learnName(item, frame);
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
        if (debt.due >= 0 && sameAnswer(debt, frame) && couldAnswer(debt.key, frame))
            return i;
    }
    // An answer naming an item owed a reply pays that item's debt.
    const int own = debtFor(itemNamed(telling(frame)));
    if (own >= 0 && couldAnswer(entries.at(own).key, frame))
        return own;
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
