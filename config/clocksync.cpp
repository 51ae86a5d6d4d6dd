#include "config/clocksync.h"

#include "link/devicerequests.h"
#include "link/frames.h"
#include "link/linkchannel.h"

ConfigOutcome ClockSync::run()
{
    return run(LinkSettings::load(), QDateTime());
}

ConfigOutcome ClockSync::run(const LinkSettings& link, const QDateTime& time, const std::atomic<bool>* stop)
{
    // The instrument's clock runs on local time; the request carries its wall-clock digits.
    const QDateTime local = (time.isValid() ? time : QDateTime::currentDateTime()).toLocalTime();
    if (!fits(local)) {
        ConfigOutcome refused = ConfigOutcome::failure(ConfigOperation::SyncClock, ConfigFailure::BadValue);
        refused.clockRefused = local;
        return refused;
    }
    LinkChannel channel;
    channel.setStopFlag(stop);
    if (!channel.open(link)) {
        ConfigOutcome notOpen =
            ConfigOutcome::failure(ConfigOperation::SyncClock, ConfigFailure::CannotOpen, channel.openError());
        notOpen.open = channel.openFailure();
        return notOpen;
    }
    QByteArray reply;
    const ExchangeResult result = channel.exchange(buildSetClockRequest(channel.deviceAddress(), local), reply,
                                                   CrcOrder::LowFirst, LinkTimings::current().setClockMs);
    if (result == ExchangeStopped)
        return ConfigOutcome::stopped(ConfigOperation::SyncClock);
    ConfigOutcome outcome = ConfigOutcome::success(ConfigOperation::SyncClock);
    const LinkError error = linkErrorOf(result, reply);
    if (error != LinkError::None)
        outcome = ConfigOutcome::failure(ConfigOperation::SyncClock, ConfigFailure::Link, error);
    else if (reply != setClockAcknowledgement(channel.deviceAddress()))
        outcome = ConfigOutcome::failure(ConfigOperation::SyncClock, ConfigFailure::BadReply);
    else
        outcome.clockSetTo = local;
    outcome.contact = contactOf(result);
    return outcome;
}

bool ClockSync::fits(const QDateTime& time)
{
    const int year = time.toLocalTime().date().year();
    return year >= FirstYear && year <= LastYear;
}
