#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>

// Which requests are still owed a reply. A reply frame names no request (an item's reply carries
// no index), so a reply that comes after its request timed out would be taken for the next
// request's: the read that retried item N would show N's answer under N + 1. The ledger keeps the
// requests sent and not yet answered, and says of every whole frame that arrives whether it answers
// the request now waiting or pays an older debt (and is dropped).
//
// Alike requests (the same command for the same item: a retry) may take each other's replies. When
// an older alike request is owed, the frame is taken for the one waiting and the debt moves to it:
// its reply is a twin of the answer taken, due about as late as the instrument was late, and only
// such a twin pays it (another frame is the next request's own: the older request was lost); it
// lapses once its time has passed. A debt whose time is
// unknown (a request that timed out) is paid only by an alike request's frame, or by one found
// before the next request goes out, and lapses after `unknownDebtMs`. So a reply lost for good costs
// at most a retry, and a late one never shifts an answer.
//
// An item's reply also names its item (the text before its first ':'), and the ledger remembers the
// name each item answered with. A twin need not match byte for byte (the clock item's second answer
// is a second later): a frame naming the debt's item pays it. A frame naming an item already taken
// is not the waiting item's answer while a debt is owed: it pays that debt and is dropped; and once
// an item's name is known, a frame with another name is never taken for it. Names that repeat in
// one list say nothing of the item, and those frames are judged by their bytes alone.
class ReplyLedger
{
public:
    // Times are milliseconds on one clock (the channel's).
    void sent(const QByteArray& request, qint64 now);
    // A whole frame arrived while the last request sent waits: true when it is taken as that
    // request's reply, false when it pays an older debt. Only a frame that could answer a debt
    // pays it: one from the same device address, or a marker frame for a marker request.
    bool frameArrived(qint64 now, const QByteArray& frame);
    // The waiting request's exchange ended without a reply: it stays owed for unknownDebtMs.
    void unanswered(qint64 now, qint64 unknownDebtMs);
    // A frame that came while nothing waited (found before the next request): true when it paid
    // a debt, false when it paid none (nothing owed, or only other answers' twins).
    bool strayFrame(qint64 now, const QByteArray& frame);
    // Requests owed a reply, the waiting one included.
    int owed() const { return entries.size(); }

    // What makes two requests alike: the address, the command and the item (or, for the loader's
    // marker frames, the message code and the page).
    static QByteArray keyOf(const QByteArray& request);
    // The item a request asks for or writes (by its key), or -1 for any other request.
    static int itemOf(const QByteArray& key);
    // The name an item reply carries: its text up to the first ':'; empty for a frame that is no
    // item reply or carries no text.
    static QByteArray nameOf(const QByteArray& frame);

    // The least time a debt of known lateness stays before and after its due time.
    static constexpr qint64 MinSlackMs = 100;

private:
    struct Entry
    {
        QByteArray key;
        qint64 sentAt = 0;
        qint64 due = -1; // when its reply is expected; -1: at any time
        qint64 slack = 0;
        qint64 expires = -1; // -1: never (the request waiting)
        QByteArray answer; // a debt moved from an alike request: the answer already taken
    };

    void lapse(qint64 now);
    // The name of frame when it tells its item apart (known and not repeated in the list), else empty.
    QByteArray telling(const QByteArray& frame) const;
    // Whether frame answers debt by its bytes or, for an item, by its name.
    bool sameAnswer(const Entry& debt, const QByteArray& frame) const;
    // The item already taken under name, or -1.
    int itemNamed(const QByteArray& name) const;
    // The index of the debt (not the waiting request) owed for item, or -1.
    int debtFor(int item) const;
    // Judges a frame by its item's name while a request waits: true when the name says it is not
    // the waiting request's answer (a debt it names, if any, is paid).
    bool refusedByName(const QByteArray& frame);
    void learnName(int item, const QByteArray& frame);
    // The debt that a frame found while nothing waits pays, or -1.
    int debtPaidBy(const QByteArray& frame) const;
    static bool couldAnswer(const QByteArray& key, const QByteArray& frame);

    QList<Entry> entries; // oldest first; while waiting the last one is the waiting request
    QHash<int, QByteArray> itemNames; // the name each item answered with
    QSet<QByteArray> repeatedNames; // names two items answered with
    bool waiting = false;
};
