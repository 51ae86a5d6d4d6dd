#pragma once

#include "history/historyquery.h"
#include "linesplit/linesplitter.h"
#include "link/ddatareceiver.h"
#include "link/devicetextdecoder.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QStringList>

class StopToken;

// Turns the history stream into record lines and stray lines for the sink, and decides when enough
// is enough. The query feeds it what the link receives; it needs no link itself.
class RecordStream : public DDataReceiver
{
public:
    RecordStream(const HistoryQuery& query, const StopToken& stop, HistorySink& sink, int recordWaitMs,
                 HistoryOutcome& outcome);

    bool isStopped() override;
    void onFailure(LinkError error) override;
    // A chunk dated now on a steady clock of the stream's own.
    void onData(const QByteArray& chunk) override;
    // A chunk that arrived at atMs on the link's clock (LinkChannel::nowMs), by which the record
    // wait is measured; a stream is fed through one of the two only.
    void onDataAt(const QByteArray& chunk, qint64 atMs);
    // After the stream: the bytes after the last line feed, and lines still held.
    void finish();

private:
    void takeLine(const QByteArray& line);
    void takeDated(const QByteArray& line);
    void holdDated(const QByteArray& line);
    void beginRecords(int fields, bool agreed);
    void record(const QByteArray& line, bool last = false);
    void stray(const QByteArray& line);
    int headerAmongHeld() const;
    void releaseHeld(int header);
    void passOn();
    void endWith(HistoryEnd end);

    const HistoryQuery& query;
    const StopToken& stop;
    HistorySink& sink;
    const int recordWaitMs;
    HistoryOutcome& outcome;
    LineSplitter assembler;
    DeviceTextDecoder decoder;
    QList<QByteArray> held;
    QList<QByteArray> datedHeld; // dated lines before two of them agree on their fields
    QByteArray records; // the record lines of the chunk, to be decoded in one pass
    QStringList strays;
    QElapsedTimer steadyClock; // for chunks that come without a date
    qint64 chunkAtMs = 0; // when the chunk being read arrived
    qint64 lastRecordAtMs = -1; // when the last record, or the first chunk, arrived
    bool recordsBegun = false;
    int recordFields = 0; // the fields of the records; no record has more
    bool ended = false;
};
