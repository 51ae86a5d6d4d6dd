#include "history/historyquery.h"

#include "history/recordline.h"
#include "history/recordstream.h"
#include "jobs/jobrunner.h"
#include "jobs/stoptoken.h"
#include "linesplit/linesplitter.h"
#include "link/ddatareceiver.h"
#include "link/devicetextdecoder.h"
#include "link/linkchannel.h"
#include "link/linktimings.h"
#include "link/texts/linktexts.h"

#include <QElapsedTimer>
#include <QList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

// Takes the stream from the link on a runner's thread and only keeps it in memory: cutting,
// judging and decoding the records happen on the query's thread, so that they never hold up the
// next read while the system's receive buffer fills. A reader far behind makes the drain wait
// (the system then drops datagrams, and the query counts them). The serial port needs a QThread
// for its socket notifiers: a bare std::thread would leave it without them.
class StreamDrain : public DDataReceiver
{
public:
    static constexpr qint64 MaxWaitingBytes = 64 * 1024 * 1024;

    struct Piece
    {
        QByteArray bytes;
        LinkError failure = LinkError::None;
        qint64 atMs = 0; // when it arrived, on the link's clock
    };

    StreamDrain(const LinkSettings& link, const QByteArray& request, const StopToken& stop) : stop(stop)
    {
        reader.start([this, link, request](const StopToken&) { drain(link, request); });
    }
    ~StreamDrain()
    {
        readerDone();
        reader.waitForIdle();
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
        put({chunk, LinkError::None, streaming ? streaming->nowMs() : 0});
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
        streaming = &channel;
        channel.receiveStream(request, this);
        streaming = nullptr;
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
    const LinkChannel* streaming = nullptr; // the drain thread's, while the stream runs
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
    JobRunner reader; // last: its job starts once everything above is there
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
            stream.onDataAt(piece.bytes, piece.atMs);
    }
    drain.readerDone();
    drain.waitForEnd();
    stream.finish();
    outcome.datagramsLost = drain.datagramsLost();
    return outcome;
}
