#include "history/readthread.h"

namespace {

// Passes the query's reports on as the thread's signals.
class SignalSink : public HistorySink
{
public:
    explicit SignalSink(ReadThread& thread) : thread(thread) { }
    void opened() override { emit thread.signalClearText(); }
    void recordLines(const QString& lines) override { emit thread.signalAddLines(lines); }
    void strayLines(const QStringList& lines) override { emit thread.signalStrayLines(lines); }

private:
    ReadThread& thread;
};

} // namespace

ReadThread::ReadThread() = default;

ReadThread::~ReadThread()
{
    stopAndWait();
}

bool ReadThread::startRead(const QByteArray& frame)
{
    if (isRunning())
        return false;
    request = frame;
    stopSource.reset();
    return startWork();
}

void ReadThread::run()
{
    SignalSink sink(*this);
    HistoryQuery query;
    query.request = request;
    last = queryHistory(link ? *link : LinkSettings::load(), query, stopSource.token(), sink);
}
