#include "history/recordstore.h"

#include "history/recordline.h"
#include "history/recordtable.h"

#include <QTextCodec>

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

void RecordStore::appendBytes(const QByteArray& bytes, bool text)
{
    if (blocks.empty() || blocks.back().size() + bytes.size() > blocks.back().capacity()) {
        blocks.emplace_back();
        blocks.back().reserve(qMax(BlockBytes, bytes.size()));
    }
    QByteArray& block = blocks.back();
    index.push_back(
        Span{quint32(blocks.size() - 1), quint32(block.size()), quint32(bytes.size()) | (text ? TextLine : 0)});
    block.append(bytes);
}

void RecordStore::appendLine(const QStringRef& line)
{
    appendBytes(line.toUtf8(), true);
    if (isRecord(line))
        ++records;
}

int RecordStore::appendRaw(const QByteArray& bytes)
{
    int added = 0;
    int from = 0;
    while (from < bytes.size()) {
        const int feed = bytes.indexOf('\n', from);
        const int next = feed < 0 ? bytes.size() : feed + 1;
        const QByteArray line = bytes.mid(from, next - from);
        appendBytes(line, false);
        // The digits of a date and a time are ASCII in every codec the instrument uses.
        if (startsWithDateTime(line))
            ++records;
        ++added;
        from = next;
    }
    return added;
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
    const char* data = blocks[span.block].constData() + span.offset;
    int length = int(lengthOf(span));
    if (span.length & TextLine)
        return QString::fromUtf8(data, length);
    while (length > 0 && (data[length - 1] == '\n' || data[length - 1] == '\r'))
        --length;
    return decoder.decode(QByteArray::fromRawData(data, length));
}

QByteArray RecordStore::rawLine(int row) const
{
    if (row < 0 || row >= lineCount())
        return QByteArray();
    const Span& span = index[size_t(row)];
    const QByteArray bytes(blocks[span.block].constData() + span.offset, int(lengthOf(span)));
    if (span.length & TextLine)
        return QTextCodec::codecForLocale()->fromUnicode(QString::fromUtf8(bytes)) + '\n';
    return bytes;
}

int RecordStore::longestLine(int first, int end) const
{
    int longest = -1;
    for (int row = qMax(0, first); row < qMin(end, lineCount()); ++row) {
        if (longest < 0 || lengthOf(index[size_t(row)]) > lengthOf(index[size_t(longest)]))
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
