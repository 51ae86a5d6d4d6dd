#include "history/historyquery.h"

#include "history/recordline.h"
#include "jobs/stoptoken.h"
#include "link/ddatareceiver.h"
#include "link/devicetextdecoder.h"
#include "link/lineassembler.h"
#include "link/linkchannel.h"
#include "link/linktimings.h"

#include <QElapsedTimer>
#include <QList>

namespace {

// Lines before the first record are held until it shows which of them is the header; an
// instrument that sends only other lines cannot make the query hold more than these.
constexpr int MaxHeldLines = 64;

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

// Turns the stream into record lines and stray lines for the sink, and decides when enough is enough.
class RecordStream : public DDataReceiver
{
public:
    RecordStream(const HistoryQuery& query, const StopToken& stop, HistorySink& sink, int recordWaitMs,
                 HistoryOutcome& outcome)
        : query(query), stop(stop), sink(sink), recordWaitMs(recordWaitMs), outcome(outcome)
    { }

    bool isStopped() override { return ended || stop.stopRequested(); }
    void onFailure(LinkError error) override
    {
        outcome.failure = HistoryFailure::Link;
        outcome.linkError = error;
    }

    void onData(const QByteArray& chunk) override
    {
        if (!sinceRecord.isValid())
            sinceRecord.start();
        for (const QByteArray& line : assembler.feed(chunk)) {
            if (ended)
                break;
            takeLine(line);
        }
        // A record still on its way counts as one arriving.
        if (startsWithDateTime(assembler.pending()))
            sinceRecord.start();
        passOn();
        if (!ended && sinceRecord.elapsed() >= recordWaitMs)
            endWith(HistoryEnd::OnlyChatter);
    }

    // After the stream: the bytes after the last line feed, and lines still held.
    void finish()
    {
        const QByteArray rest = assembler.flush();
        if (!ended && stop.stopRequested())
            endWith(HistoryEnd::Stopped);
        if (!ended && outcome.ok() && holdsText(rest)) {
            if (startsWithDateTime(rest) && recordsBegun && fieldCount(rest) == recordFields)
                record(rest + '\n');
            else if (!startsWithDateTime(rest) && recordsBegun)
                stray(rest);
            else
                outcome.cutOff = true;
        }
        if (!recordsBegun)
            releaseHeld(firstWithFields(held, 2));
        passOn();
    }

private:
    void takeLine(const QByteArray& line)
    {
        if (!holdsText(line))
            return;
        if (startsWithDateTime(line)) {
            if (!recordsBegun) {
                recordsBegun = true;
                recordFields = fieldCount(line);
                releaseHeld(headerAmongHeld());
            }
            // More fields than the records have: another line (a debug line) broke into this
            // record; taking it would put a made-up record among the real ones.
            if (fieldCount(line) > recordFields)
                stray(line);
            else
                record(line);
        } else if (recordsBegun) {
            stray(line);
        } else if (held.size() < MaxHeldLines) {
            held.append(line);
        } else {
            stray(line);
        }
    }

    void record(const QByteArray& line)
    {
        records += line;
        if (!records.endsWith('\n'))
            records += '\n'; // a line cut at the bound
        sinceRecord.start();
        ++outcome.records;
        if (query.maxRecords > 0 && outcome.records >= query.maxRecords)
            endWith(HistoryEnd::RecordLimit);
    }

    void stray(const QByteArray& line)
    {
        strays.append(decoder.decode(withoutTerminator(line)));
        ++outcome.strayLines;
    }

    // The line that names the columns: the last held line with a name for each of the record's
    // fields (the date and the time named together or apart), else the last with two fields or more.
    int headerAmongHeld() const
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

    static int firstWithFields(const QList<QByteArray>& lines, int fields)
    {
        for (int i = 0; i < lines.size(); ++i) {
            if (fieldCount(lines.at(i)) >= fields)
                return i;
        }
        return -1;
    }

    // The held lines go out: the header to the records, every other one stray.
    void releaseHeld(int header)
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

    void passOn()
    {
        if (!records.isEmpty()) {
            sink.recordLines(decoder.decodeLines(records));
            records.clear();
        }
        if (!strays.isEmpty()) {
            sink.strayLines(strays);
            strays.clear();
        }
    }

    void endWith(HistoryEnd end)
    {
        ended = true;
        outcome.end = end;
    }

    const HistoryQuery& query;
    const StopToken& stop;
    HistorySink& sink;
    const int recordWaitMs;
    HistoryOutcome& outcome;
    LineAssembler assembler;
    DeviceTextDecoder decoder;
    QList<QByteArray> held;
    QByteArray records; // the record lines of the chunk, to be decoded in one pass
    QStringList strays;
    QElapsedTimer sinceRecord;
    bool recordsBegun = false;
    int recordFields = 0; // the fields of the first record; no record has more
    bool ended = false;
};

} // namespace

HistoryOutcome queryHistory(const LinkSettings& link, const HistoryQuery& query, const StopToken& stop,
                            HistorySink& sink)
{
    HistoryOutcome outcome;
    LinkChannel channel;
    channel.setStopFlag(stop.flag());
    if (!channel.open(link)) {
        outcome.failure = HistoryFailure::CannotOpen;
        outcome.linkError = channel.openError();
        outcome.openError = channel.errorText();
        return outcome;
    }
    sink.opened();
    const int recordWaitMs = query.recordWaitMs >= 0 ? query.recordWaitMs : LinkTimings::current().streamFirstDataMs;
    RecordStream stream(query, stop, sink, recordWaitMs, outcome);
    channel.receiveStream(query.request, &stream);
    stream.finish();
    outcome.datagramsLost = qint64(channel.droppedDatagrams());
    return outcome;
}
