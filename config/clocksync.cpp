#include "config/clocksync.h"

#include "link/frames.h"
#include "link/linkchannel.h"

ConfigOutcome ClockSync::run()
{
    return run(LinkSettings::load(), QDateTime());
}

ConfigOutcome ClockSync::run(const LinkSettings& link, const QDateTime& time)
{
    const QString title = tr("同步时间");
    LinkChannel channel;
    if (!channel.open(link))
        return ConfigOutcome::failure(title, channel.errorText(), ConfigFailure::CannotOpen, channel.openError());
    QByteArray reply;
    const ExchangeResult result = channel.exchange(buildSetClockRequest(channel.deviceAddress(), time.isValid() ? time : QDateTime::currentDateTime()), reply,
                                                   CrcOrder::LowFirst, LinkTimings::current().setClockMs);
    const LinkError error = linkErrorOf(result, reply);
    if (error != LinkError::None)
        return ConfigOutcome::linkFailure(title, error);
    if (reply != setClockAcknowledgement(channel.deviceAddress()))
        return ConfigOutcome::failure(title, tr("同步时间失败"));
    ConfigOutcome outcome;
    outcome.addInformation(title, tr("同步时间成功"));
    return outcome;
}
