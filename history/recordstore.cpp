#include "history/recordstore.h"

#include "history/recordline.h"
#include "history/recordtable.h"

namespace {

// Lines go into blocks of this size; a longer line gets a block of its own.
constexpr int BlockBytes = 1 << 20;

} // namespace

void RecordStore::clear()
{
    std::vector<QByteArray>().swap(blocks);
    std::vector<Span>().swap(index);
    records = 0;
}

bool RecordStore::isRecord(const QStringRef& line)
{
    return startsWithDateTime(line);
}

void RecordStore::appendLine(const QStringRef& line)
{
    const QByteArray bytes = line.toUtf8();
    if (blocks.empty() || blocks.back().size() + bytes.size() > blocks.back().capacity()) {
        blocks.emplace_back();
        blocks.back().reserve(qMax(BlockBytes, bytes.size()));
    }
    QByteArray& block = blocks.back();
    index.push_back(Span{quint32(blocks.size() - 1), quint32(block.size()), quint32(bytes.size())});
    block.append(bytes);
    if (isRecord(line))
        ++records;
}

int RecordStore::appendLines(const QString& text)
{
    int added = 0;
    int from = 0;
    while (from < text.size()) {
        int feed = text.indexOf(QLatin1Char('\n'), from);
        const int next = feed < 0 ? text.size() : feed + 1;
        int end = feed < 0 ? text.size() : feed;
        while (end > from && text.at(end - 1) == QLatin1Char('\r'))
            --end;
        appendLine(text.midRef(from, end - from));
        ++added;
        from = next;
    }
    return added;
}

QString RecordStore::line(int row) const
{
    if (row < 0 || row >= lineCount())
        return QString();
    const Span& span = index[size_t(row)];
    return QString::fromUtf8(blocks[span.block].constData() + span.offset, int(span.length));
}

int RecordStore::longestLine(int first, int end) const
{
    int longest = -1;
    for (int row = qMax(0, first); row < qMin(end, lineCount()); ++row) {
        if (longest < 0 || index[size_t(row)].length > index[size_t(longest)].length)
            longest = row;
    }
    return longest;
}

bool RecordStore::startsWithHeader() const
{
    if (isEmpty())
        return false;
    const QString first = line(0);
    return splitFields(first).size() >= 2 && !isRecord(first);
}

qint64 RecordStore::memoryBytes() const
{
    qint64 bytes = qint64(index.capacity() * sizeof(Span));
    for (const QByteArray& block : blocks)
        bytes += block.capacity();
    return bytes;
}

RecordStore RecordStore::fromText(const QString& text)
{
    RecordStore store;
    if (!text.isEmpty())
        store.appendLines(text);
    return store;
}
