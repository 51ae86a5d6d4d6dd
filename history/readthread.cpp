#include "history/readthread.h"

namespace {

// Passes the query's reports on as the read object's signals.
class SignalSink : public HistorySink
{
public:
    explicit SignalSink(ReadThread& read) : read(read) { }
    void opened() override { emit read.signalClearText(); }
    void recordLines(const QString& lines) override { emit read.signalAddLines(lines); }
    void strayLines(const QStringList& lines) override { emit read.signalStrayLines(lines); }

private:
    ReadThread& read;
};

} // namespace

ReadThread::ReadThread(QObject* parent) : QObject(parent)
{
    connect(&runner, &JobRunner::jobEnded, this, &ReadThread::finished, Qt::DirectConnection);
}

ReadThread::~ReadThread()
{
    runner.stopAndWait();
}

bool ReadThread::startRead(const QByteArray& request)
{
    if (runner.isWorking())
        return false;
    const LinkSettings settings = link ? *link : LinkSettings::load();
    return runner.start([this, settings, request](const StopToken& stop) {
        SignalSink sink(*this);
        HistoryQuery query;
        query.request = request;
        last = queryHistory(settings, query, stop, sink);
    });
}

bool ReadThread::wait(int timeoutMs)
{
    return runner.waitForIdle(timeoutMs);
}
