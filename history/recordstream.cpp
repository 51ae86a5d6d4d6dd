#include "history/recordstream.h"

#include "history/recordline.h"
#include "jobs/stoptoken.h"

namespace {

// Lines before the first record are held until it shows which of them is the header; an
// instrument that sends only other lines cannot make the query hold more than these.
constexpr int MaxHeldLines = 64;
// Dated lines held until two agree on their fields; so many that disagree are no stream of records
// another line broke into, and the first of them decides.
constexpr int MaxDisagreeingLines = 4;

bool isSeparator(char c)
{
    return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The fields of a line, as the table splits them: pieces between blanks or commas.
int fieldCount(const QByteArray& line)
{
    int count = 0;
    bool inField = false;
    for (const char c : line) {
        const bool separator = isSeparator(c);
        if (!separator && !inField)
            ++count;
        inField = !separator;
    }
    return count;
}

// Whether bytes hold anything worth telling about: stray blanks, carriage returns or padding are
// nothing.
bool holdsText(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (!isSeparator(c) && c != '\0')
            return true;
    }
    return false;
}

QByteArray withoutTerminator(QByteArray line)
{
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

int firstWithFields(const QList<QByteArray>& lines, int fields)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (fieldCount(lines.at(i)) >= fields)
            return i;
    }
    return -1;
}

} // namespace

RecordStream::RecordStream(const HistoryQuery& query, const StopToken& stop, HistorySink& sink, int recordWaitMs,
                           HistoryOutcome& outcome)
    : query(query), stop(stop), sink(sink), recordWaitMs(recordWaitMs), outcome(outcome)
{ }

bool RecordStream::isStopped()
{
    return ended || stop.stopRequested();
}

void RecordStream::onFailure(LinkError error)
{
    outcome.failure = HistoryFailure::Link;
    outcome.linkError = error;
}

void RecordStream::onData(const QByteArray& chunk)
{
    if (!steadyClock.isValid())
        steadyClock.start();
    onDataAt(chunk, steadyClock.elapsed());
}

void RecordStream::onDataAt(const QByteArray& chunk, qint64 atMs)
{
    chunkAtMs = atMs;
    if (lastRecordAtMs < 0)
        lastRecordAtMs = atMs;
    for (const QByteArray& line : assembler.feed(chunk)) {
        if (ended)
            break;
        takeLine(line);
    }
    // A record still on its way counts as one arriving.
    if (startsWithDateTime(assembler.pending()))
        lastRecordAtMs = atMs;
    passOn();
    if (!ended && atMs - lastRecordAtMs >= recordWaitMs)
        endWith(HistoryEnd::OnlyChatter);
}

void RecordStream::finish()
{
    const QByteArray rest = assembler.flush();
    if (!ended && stop.stopRequested())
        endWith(HistoryEnd::Stopped);
    // Dated lines that never agreed: the first sets the fields, as nothing better is known.
    if (!recordsBegun && !datedHeld.isEmpty())
        beginRecords(fieldCount(datedHeld.first()), false);
    if (!ended && outcome.ok() && holdsText(rest)) {
        if (startsWithDateTime(rest) && recordsBegun && fieldCount(rest) == recordFields)
            record(rest, true);
        else if (!startsWithDateTime(rest) && recordsBegun)
            stray(rest);
        else
            outcome.cutOff = true;
    }
    if (!recordsBegun)
        releaseHeld(firstWithFields(held, 2));
    passOn();
}

void RecordStream::takeLine(const QByteArray& line)
{
    if (!holdsText(line))
        return;
    if (startsWithDateTime(line)) {
        if (!recordsBegun) {
            holdDated(line);
            return;
        }
        takeDated(line);
    } else if (recordsBegun) {
        stray(line);
    } else if (held.size() < MaxHeldLines) {
        held.append(line);
    } else {
        stray(line);
    }
}

void RecordStream::takeDated(const QByteArray& line)
{
    // More fields than the records have: another line (a debug line) broke into this record;
    // taking it would put a made-up record among the real ones.
    if (fieldCount(line) > recordFields)
        stray(line);
    else
        record(line);
}

// The first dated line alone does not set the records' fields: another line may have broken into
// it, and every good record after it would then be lost, or spliced ones taken. The fields are
// those two dated lines agree on first; the held lines that differ were broken into.
void RecordStream::holdDated(const QByteArray& line)
{
    const int fields = fieldCount(line);
    for (const QByteArray& earlier : qAsConst(datedHeld)) {
        if (fieldCount(earlier) == fields) {
            datedHeld.append(line);
            beginRecords(fields, true);
            return;
        }
    }
    datedHeld.append(line);
    if (datedHeld.size() >= MaxDisagreeingLines)
        beginRecords(fieldCount(datedHeld.first()), false);
}

// The held lines go out: the header to the records; the held dated lines as records when they
// have the agreed fields (or, with no agreement, by the rule for every later line).
void RecordStream::beginRecords(int fields, bool agreed)
{
    recordsBegun = true;
    recordFields = fields;
    releaseHeld(headerAmongHeld());
    const QList<QByteArray> dated = datedHeld;
    datedHeld.clear();
    for (const QByteArray& line : dated) {
        if (agreed && fieldCount(line) != fields)
            stray(line);
        else
            takeDated(line);
        if (ended)
            break;
    }
}

void RecordStream::record(const QByteArray& line, bool last)
{
    records += line;
    // A line cut at the bound is ended here, so that what follows it starts a line of its own;
    // the stream's last line stays as it came.
    if (!last && !records.endsWith('\n'))
        records += '\n';
    lastRecordAtMs = chunkAtMs;
    ++outcome.records;
    if (query.maxRecords > 0 && outcome.records >= query.maxRecords)
        endWith(HistoryEnd::RecordLimit);
}

void RecordStream::stray(const QByteArray& line)
{
    strays.append(decoder.decode(withoutTerminator(line)));
    ++outcome.strayLines;
}

// The line that names the columns: the last held line with a name for each of the record's
// fields (the date and the time named together or apart), else the last with two fields or more.
int RecordStream::headerAmongHeld() const
{
    for (int i = held.size() - 1; i >= 0; --i) {
        const int fields = fieldCount(held.at(i));
        if (fields >= 2 && (fields == recordFields || fields == recordFields - 1))
            return i;
    }
    for (int i = held.size() - 1; i >= 0; --i) {
        if (fieldCount(held.at(i)) >= 2)
            return i;
    }
    return -1;
}

void RecordStream::endWith(HistoryEnd end)
{
    ended = true;
    outcome.end = end;
}

// The held lines go out: the header to the records, every other one stray.
void RecordStream::releaseHeld(int header)
{
    for (int i = 0; i < held.size(); ++i) {
        if (i == header) {
            records += held.at(i);
            if (!records.endsWith('\n'))
                records += '\n';
        } else {
            stray(held.at(i));
        }
    }
    held.clear();
}

void RecordStream::passOn()
{
    if (!records.isEmpty()) {
        sink.recordBytes(records);
        records.clear();
    }
    if (!strays.isEmpty()) {
        sink.strayLines(strays);
        strays.clear();
    }
}
