#include "monitor/linecutter.h"

QByteArrayList LineCutter::feed(const QByteArray& bytes)
{
    QByteArrayList lines;
    for (const QByteArray& line : assembler.feed(bytes))
        appendCut(lines, line);
    if (assembler.pending().size() >= MaxLineBytes) {
        const QByteArray unfinished = assembler.flush();
        const int whole = unfinished.size() - unfinished.size() % MaxLineBytes;
        appendCut(lines, unfinished.left(whole));
        assembler.feed(unfinished.mid(whole));
    }
    return lines;
}

void LineCutter::appendCut(QByteArrayList& lines, const QByteArray& line)
{
    if (line.size() <= MaxLineBytes) {
        lines.append(line);
        return;
    }
    for (int from = 0; from < line.size(); from += MaxLineBytes)
        lines.append(line.mid(from, MaxLineBytes));
}
