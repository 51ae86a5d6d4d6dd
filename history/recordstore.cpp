#include "history/recordstore.h"

#include "history/recordline.h"
#include "history/recordtable.h"

#include <QTextCodec>

#include <algorithm>
#include <cstring>

namespace {

// The sequence is cut into chunks of this size, so that it grows without being copied.
constexpr int ChunkBits = 20;
constexpr qint64 ChunkBytes = qint64(1) << ChunkBits;
// A line's start is kept outright every this many lines, and sooner where the four bytes of an end
// could no longer tell it from the mark before.
constexpr int MarkEvery = 4096;
constexpr qint64 MarkSpan = qint64(1) << 31;

} // namespace

void RecordStore::clear()
{
    std::vector<QByteArray>().swap(chunks);
    std::vector<quint32>().swap(ends);
    std::vector<Mark>().swap(marks);
    std::vector<bool>().swap(textLines);
    total = 0;
    records = 0;
}

bool RecordStore::isRecord(const QStringRef& line)
{
    return startsWithDateTime(line);
}

void RecordStore::appendBytes(const char* data, int size, bool text)
{
    const int row = lineCount();
    if (marks.empty() || row % MarkEvery == 0 || total + size - marks.back().start >= MarkSpan)
        marks.push_back(Mark{row, total});
    qint64 left = size;
    while (left > 0) {
        if (chunks.empty() || chunks.back().size() == ChunkBytes) {
            chunks.emplace_back();
            chunks.back().reserve(int(ChunkBytes));
        }
        QByteArray& chunk = chunks.back();
        const int taken = int(std::min<qint64>(left, ChunkBytes - chunk.size()));
        chunk.append(data, taken);
        data += taken;
        left -= taken;
    }
    total += size;
    ends.push_back(quint32(total));
    textLines.push_back(text);
}

const RecordStore::Mark& RecordStore::markOf(int row) const
{
    const auto after =
        std::upper_bound(marks.begin(), marks.end(), row, [](int line, const Mark& mark) { return line < mark.line; });
    return *(after - 1);
}

qint64 RecordStore::endOf(int row) const
{
    const qint64 start = markOf(row).start;
    return start + quint32(ends[size_t(row)] - quint32(start));
}

qint64 RecordStore::startOf(int row) const
{
    const Mark& mark = markOf(row);
    return mark.line == row ? mark.start : endOf(row - 1);
}

QByteArray RecordStore::bytesAt(qint64 start, qint64 end) const
{
    const size_t first = size_t(start >> ChunkBits);
    const int offset = int(start & (ChunkBytes - 1));
    if (end <= qint64(first + 1) << ChunkBits)
        return QByteArray::fromRawData(chunks[first].constData() + offset, int(end - start));
    // A line across chunks is put together.
    QByteArray bytes;
    bytes.reserve(int(end - start));
    for (qint64 at = start; at < end;) {
        const QByteArray& chunk = chunks[size_t(at >> ChunkBits)];
        const int from = int(at & (ChunkBytes - 1));
        const int taken = int(std::min<qint64>(end - at, chunk.size() - from));
        bytes.append(chunk.constData() + from, taken);
        at += taken;
    }
    return bytes;
}

void RecordStore::appendLine(const QStringRef& line)
{
    const QByteArray bytes = line.toUtf8();
    appendBytes(bytes.constData(), bytes.size(), true);
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
        appendBytes(bytes.constData() + from, next - from, false);
        // The digits of a date and a time are ASCII in every codec the instrument uses.
        if (startsWithDateTime(QByteArray::fromRawData(bytes.constData() + from, next - from)))
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
    const QByteArray bytes = bytesAt(startOf(row), endOf(row));
    if (textLines[size_t(row)])
        return QString::fromUtf8(bytes);
    int length = bytes.size();
    while (length > 0 && (bytes.at(length - 1) == '\n' || bytes.at(length - 1) == '\r'))
        --length;
    return decoder.decode(QByteArray::fromRawData(bytes.constData(), length));
}

QByteArray RecordStore::rawLine(int row) const
{
    if (row < 0 || row >= lineCount())
        return QByteArray();
    const QByteArray bytes = bytesAt(startOf(row), endOf(row));
    if (textLines[size_t(row)])
        return QTextCodec::codecForLocale()->fromUnicode(QString::fromUtf8(bytes)) + '\n';
    // A copy: the view into the chunk would not outlive a cleared store.
    return QByteArray(bytes.constData(), bytes.size());
}

int RecordStore::longestLine(int first, int end) const
{
    int longest = -1;
    qint64 longestLength = 0;
    for (int row = qMax(0, first); row < qMin(end, lineCount()); ++row) {
        const qint64 length = endOf(row) - startOf(row);
        if (longest < 0 || length > longestLength) {
            longest = row;
            longestLength = length;
        }
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
    qint64 bytes =
        qint64(ends.capacity() * sizeof(quint32) + marks.capacity() * sizeof(Mark) + textLines.capacity() / 8);
    for (const QByteArray& chunk : chunks)
        bytes += chunk.capacity();
    return bytes;
}

RecordStore RecordStore::fromText(const QString& text)
{
    RecordStore store;
    if (!text.isEmpty())
        store.appendLines(text);
    return store;
}
