#pragma once

#include <QByteArray>

#include <mutex>
#include <vector>

// What a monitoring run has taken from the link and its reader has not yet cut into lines: the
// pieces in the order they came, with the run's marks between them. Put from the run's thread,
// taken from the reader's; the run never waits for the reader to take.
class ReceivedBytes
{
public:
    struct Entry
    {
        enum Kind { Bytes, LineInterrupted, StreamRestarted };
        Kind kind = Bytes;
        QByteArray bytes;
        qint64 receivedAtMs = 0;
    };

    // True when the reader is to be woken: nothing was waiting, or the reader has taken since.
    bool put(Entry entry);
    // Everything waiting, oldest first; the next put() wakes the reader again.
    std::vector<Entry> takeAll();
    qint64 waitingBytes() const;
    void clear();

private:
    mutable std::mutex mutex;
    std::vector<Entry> entries;
    qint64 bytes = 0;
    bool wakeSent = false;
};
