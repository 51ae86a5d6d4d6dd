#include "history/lineassembler.h"

QList<QByteArray> LineAssembler::feed(const QByteArray& chunk)
{
    QList<QByteArray> lines;
    int from = 0;
    for (int feedAt = chunk.indexOf('\n'); feedAt >= 0; feedAt = chunk.indexOf('\n', from)) {
        const int length = feedAt + 1 - from;
        if (pending.isEmpty()) {
            lines.append(chunk.mid(from, length));
        } else {
            pending.append(chunk.constData() + from, length);
            lines.append(pending);
            pending.clear();
        }
        from = feedAt + 1;
    }
    if (from < chunk.size())
        pending.append(chunk.constData() + from, chunk.size() - from);
    return lines;
}

QByteArray LineAssembler::flush()
{
    QByteArray rest;
    rest.swap(pending);
    return rest;
}
