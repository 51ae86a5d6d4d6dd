#include "config/refreshthread.h"

namespace {

// Hands what the read tells to the read object's signals.
class SignalSink : public ConfigReadSink
{
public:
    explicit SignalSink(RefreshThread& read) : read(read) { }
    void started() override { emit read.signalClearItems(); }
    void contact(LinkContact contact) override { emit read.signalContact(int(contact)); }
    void item(const ReadItem& item) override
    {
        emit read.signalItemCodec(item.index, item.codec);
        emit read.signalAddItems(item.index, item.fields);
    }
    void failed(const ConfigReadFailure& failure) override { emit read.signalReadFailed(failure); }

private:
    RefreshThread& read;
};

} // namespace

RefreshThread::RefreshThread(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<ConfigReadFailure>();
    connect(&runner, &JobRunner::jobEnded, this, &RefreshThread::finished, Qt::DirectConnection);
}

RefreshThread::~RefreshThread()
{
    runner.stopAndWait();
}

void RefreshThread::startRead()
{
    if (runner.isWorking())
        return;
    const LinkSettings settings = link ? *link : LinkSettings::load();
    runner.start([this, settings](const StopToken& stop) {
        SignalSink sink(*this);
        const ConfigReadOutcome outcome = readConfigItems(settings, stop, sink);
        lastFailure = outcome.failure;
        if (!outcome.opened)
            return;
        const ReadEnd end = outcome.end == ::ReadEnd::Complete ? ReadComplete
            : outcome.end == ::ReadEnd::Stopped                ? ReadStopped
                                                               : ReadFailed;
        emit signalReadEnded(end, outcome.itemsRead);
    });
}

bool RefreshThread::wait(int timeoutMs)
{
    return runner.waitForIdle(timeoutMs);
}
