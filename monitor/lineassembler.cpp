#include "monitor/lineassembler.h"

QList<QByteArray> LineAssembler::feed(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    int from = 0;
    for (int end = bytes.indexOf('\n'); end >= 0; end = bytes.indexOf('\n', from)) {
        lineBuffer.append(bytes.constData() + from, end + 1 - from);
        lines.append(lineBuffer);
        lineBuffer.clear();
        from = end + 1;
    }
    lineBuffer.append(bytes.constData() + from, bytes.size() - from);
    return lines;
}
