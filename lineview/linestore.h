#pragma once

#include <QByteArray>

#include <deque>

// One line as a view keeps it: the bytes as they came, when they came, and a small tag whose
// meaning belongs to the owner (the monitor keeps the display form in it). The text is made only
// when the line is drawn, so a line costs little more than its bytes.
struct StoredLine
{
    QByteArray bytes;
    qint64 stampMs = 0;
    quint8 tag = 0;
};

// The newest lines up to a capacity, oldest first: appending beyond the capacity drops the oldest.
// Every line gets a number that counts from the first line ever appended (clear() keeps counting),
// so a holder can tell which of the lines it knew have gone.
class LineStore
{
public:
    // capacity 0: no limit.
    explicit LineStore(int capacity = 0) : limit(qMax(0, capacity)) { }

    int capacity() const { return limit; }
    // Returns how many of the oldest lines were dropped to fit.
    int setCapacity(int capacity);

    int size() const { return int(lines.size()); }
    bool isEmpty() const { return lines.empty(); }
    const StoredLine& at(int row) const { return lines[size_t(row)]; }
    // The number of the oldest line held, and of the line after the newest.
    qint64 firstNumber() const { return first; }
    qint64 endNumber() const { return first + qint64(lines.size()); }

    // Returns how many of the oldest lines were dropped to make room.
    int append(StoredLine line);
    // Drops the oldest count lines.
    void dropOldest(int count);
    void clear();

private:
    std::deque<StoredLine> lines;
    qint64 first = 0;
    int limit = 0;
};
