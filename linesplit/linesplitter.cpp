#include "linesplit/linesplitter.h"

QByteArrayList LineSplitter::feed(const QByteArray& bytes)
{
    QByteArrayList lines;
    const int size = bytes.size();
    int from = 0;
    constexpr int NotSearched = -2;
    int feedAt = NotSearched; // -1 once the rest is known to hold no line feed
    while (from < size) {
        if (feedAt != -1 && feedAt < from)
            feedAt = bytes.indexOf('\n', from);
        const int contentEnd = feedAt < 0 ? size : feedAt;
        const int room = bound - unfinished.size();
        if (contentEnd - from > room) {
            // No line feed within the bound: the line so far goes out cut.
            unfinished.append(bytes.constData() + from, room);
            lines.append(unfinished);
            unfinished.clear();
            from += room;
            continue;
        }
        if (feedAt < 0) {
            unfinished.append(bytes.constData() + from, size - from);
            break;
        }
        const int take = feedAt + 1 - from;
        if (unfinished.isEmpty()) {
            lines.append(bytes.mid(from, take));
        } else {
            unfinished.append(bytes.constData() + from, take);
            lines.append(unfinished);
            unfinished.clear();
        }
        from += take;
    }
    return lines;
}

QByteArray LineSplitter::flush()
{
    QByteArray rest;
    rest.swap(unfinished);
    return rest;
}
