#include "history/historyquery.h"

#include "history/recordline.h"
#include "jobs/stoptoken.h"
#include "link/ddatareceiver.h"
#include "link/devicetextdecoder.h"
#include "linesplit/linesplitter.h"
#include "link/linkchannel.h"
#include "link/linktimings.h"
#include "link/texts/linktexts.h"

#include <QElapsedTimer>
#include <QList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

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

    void record(const QByteArray& line, bool last = false)
    {
        records += line;
        // A line cut at the bound is ended here, so that what follows it starts a line of its own;
        // the stream's last line stays as it came.
        if (!last && !records.endsWith('\n'))
            records += '\n';
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
            sink.recordBytes(records);
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
    LineSplitter assembler;
    DeviceTextDecoder decoder;
    QList<QByteArray> held;
    QByteArray records; // the record lines of the chunk, to be decoded in one pass
    QStringList strays;
    QElapsedTimer sinceRecord;
    bool recordsBegun = false;
    int recordFields = 0; // the fields of the first record; no record has more
    bool ended = false;
};

// Takes the stream from the link on a thread of its own and only keeps it in memory: cutting,
// judging and decoding the records happen on the query's thread, so that they never hold up the
// next read while the system's receive buffer fills. A reader far behind makes the drain wait
// (the system then drops datagrams, and the query counts them).
class StreamDrain : public DDataReceiver
{
public:
    static constexpr qint64 MaxWaitingBytes = 64 * 1024 * 1024;

    struct Piece
    {
        QByteArray bytes;
        LinkError failure = LinkError::None;
    };

    StreamDrain(const LinkSettings& link, const QByteArray& request, const StopToken& stop)
        : stop(stop), thread([this, link, request] { drain(link, request); })
    { }
    ~StreamDrain()
    {
        readerDone();
        thread.join();
    }

    // Waits until the link has opened or failed to; false with the reason when it did not.
    bool opened(QString* error, LinkError* code)
    {
        std::unique_lock<std::mutex> lock(mutex);
        arrived.wait(lock, [this] { return openKnown; });
        *error = openError;
        *code = openCode;
        return openError.isEmpty();
    }
    // The next piece of the stream; false once it has ended and everything was taken.
    bool next(Piece* piece)
    {
        std::unique_lock<std::mutex> lock(mutex);
        arrived.wait(lock, [this] { return !pieces.empty() || streamEnded; });
        if (pieces.empty())
            return false;
        *piece = std::move(pieces.front());
        pieces.pop_front();
        waitingBytes -= piece->bytes.size();
        taken.notify_all();
        return true;
    }
    // The reader wants no more: the stream ends at once.
    void readerDone()
    {
        readerEnded = true;
        taken.notify_all();
    }
    // Waits until the drain has finished with the link (after readerDone() or the stream's end).
    void waitForEnd()
    {
        std::unique_lock<std::mutex> lock(mutex);
        arrived.wait(lock, [this] { return streamEnded; });
    }
    // The datagrams the system dropped; final after waitForEnd().
    qint64 datagramsLost() const { return lost; }

    bool isStopped() override { return readerEnded || stop.stopRequested(); }
    void onFailure(LinkError error) override { put({QByteArray(), error}); }
    void onData(const QByteArray& chunk) override
    {
        std::unique_lock<std::mutex> lock(mutex);
        taken.wait(lock, [this] { return waitingBytes < MaxWaitingBytes || isStopped(); });
        lock.unlock();
        put({chunk, LinkError::None});
    }

private:
    void drain(const LinkSettings& link, const QByteArray& request)
    {
        // The channel lives and dies on this thread, as its sockets must.
        LinkChannel channel;
        channel.setStopFlag(stop.flag());
        const bool open = channel.open(link);
        {
            std::lock_guard<std::mutex> lock(mutex);
            openKnown = true;
            openError = linkOpenFailureText(channel.openFailure());
            openCode = channel.openError();
            if (!open)
                streamEnded = true;
        }
        arrived.notify_all();
        if (!open)
            return;
        channel.receiveStream(request, this);
        lost = qint64(channel.droppedDatagrams());
        std::lock_guard<std::mutex> lock(mutex);
        streamEnded = true;
        arrived.notify_all();
    }
    void put(Piece piece)
    {
        std::lock_guard<std::mutex> lock(mutex);
        waitingBytes += piece.bytes.size();
        pieces.push_back(std::move(piece));
        arrived.notify_all();
    }

    const StopToken& stop;
    std::mutex mutex;
    std::condition_variable arrived; // a piece, the open or the end
    std::condition_variable taken; // room for more, or the reader's end
    std::deque<Piece> pieces;
    qint64 waitingBytes = 0;
    bool openKnown = false;
    QString openError;
    LinkError openCode = LinkError::None;
    bool streamEnded = false;
    std::atomic<bool> readerEnded{false};
    std::atomic<qint64> lost{0};
    std::thread thread; // last: it starts once everything above is there
};

} // namespace

void HistorySink::recordBytes(const QByteArray& lines)
{
    const DeviceTextDecoder decoder;
    QString text = decoder.decodeLines(lines);
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    recordLines(text);
}

HistoryOutcome queryHistory(const LinkSettings& link, const HistoryQuery& query, const StopToken& stop,
                            HistorySink& sink)
{
    HistoryOutcome outcome;
    StreamDrain drain(link, query.request, stop);
    if (!drain.opened(&outcome.openError, &outcome.linkError)) {
        outcome.failure = HistoryFailure::CannotOpen;
        return outcome;
    }
    outcome.openError.clear();
    sink.opened();
    const int recordWaitMs = query.recordWaitMs >= 0 ? query.recordWaitMs : LinkTimings::current().streamFirstDataMs;
    RecordStream stream(query, stop, sink, recordWaitMs, outcome);
    StreamDrain::Piece piece;
    while (!stream.isStopped() && drain.next(&piece)) {
        if (piece.failure != LinkError::None)
            stream.onFailure(piece.failure);
        else
            stream.onData(piece.bytes);
    }
    drain.readerDone();
    drain.waitForEnd();
    stream.finish();
    outcome.datagramsLost = drain.datagramsLost();
    return outcome;
}
