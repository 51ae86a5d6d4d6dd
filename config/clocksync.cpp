#include "config/clocksync.h"

#include "link/frames.h"
#include "link/linkchannel.h"

ConfigOutcome ClockSync::run()
{
    return run(LinkSettings::load(), QDateTime());
}

ConfigOutcome ClockSync::run(const LinkSettings& link, const QDateTime& time, const std::atomic<bool>* stop)
{
    const QString title = tr("同步时间");
    LinkChannel channel;
    channel.setStopFlag(stop);
    if (!channel.open(link))
        return ConfigOutcome::failure(title, channel.errorText(), ConfigFailure::CannotOpen, channel.openError());
    QByteArray reply;
    const ExchangeResult result = channel.exchange(buildSetClockRequest(channel.deviceAddress(), time.isValid() ? time : QDateTime::currentDateTime()), reply,
                                                   CrcOrder::LowFirst, LinkTimings::current().setClockMs);
    if (result == ExchangeStopped) {
        ConfigOutcome stopped;
        stopped.ok = false;
        stopped.cancelled = true;
        stopped.status = tr("同步时间已取消");
        return stopped;
    }
    ConfigOutcome outcome;
    const LinkError error = linkErrorOf(result, reply);
    if (error != LinkError::None)
        outcome = ConfigOutcome::linkFailure(title, error);
    else if (reply != setClockAcknowledgement(channel.deviceAddress()))
        outcome = ConfigOutcome::failure(title, tr("同步时间失败"));
    else
        outcome.addInformation(title, tr("同步时间成功"));
    outcome.contact = contactOf(result);
    return outcome;
}
