#include "lineview/linestore.h"

int LineStore::setCapacity(int capacity)
{
    limit = qMax(0, capacity);
    const int excess = limit > 0 ? qMax(0, size() - limit) : 0;
    dropOldest(excess);
    return excess;
}

int LineStore::append(StoredLine line)
{
    lines.push_back(std::move(line));
    if (limit > 0 && size() > limit) {
        dropOldest(1);
        return 1;
    }
    return 0;
}

void LineStore::dropOldest(int count)
{
    count = qBound(0, count, size());
    lines.erase(lines.begin(), lines.begin() + count);
    first += count;
    // A deque keeps its emptied blocks only briefly; after a big drop give the rest back too.
    if (lines.empty())
        std::deque<StoredLine>().swap(lines);
}

void LineStore::clear()
{
    first = endNumber();
    std::deque<StoredLine>().swap(lines);
}
