#include "link/lineassembler.h"

QList<QByteArray> LineAssembler::feed(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    int from = 0;
    for (int feedAt = bytes.indexOf('\n'); feedAt >= 0; feedAt = bytes.indexOf('\n', from)) {
        const int length = feedAt + 1 - from;
        if (unfinished.isEmpty()) {
            lines.append(bytes.mid(from, length));
        } else {
            unfinished.append(bytes.constData() + from, length);
            lines.append(unfinished);
            unfinished.clear();
        }
        from = feedAt + 1;
    }
    if (from < bytes.size())
        unfinished.append(bytes.constData() + from, bytes.size() - from);
    return lines;
}

QByteArray LineAssembler::flush()
{
    QByteArray rest;
    rest.swap(unfinished);
    return rest;
}
