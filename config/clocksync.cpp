#include "config/clocksync.h"

#include "link/devicerequests.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "link/texts/linktexts.h"

ConfigOutcome ClockSync::run()
{
    return run(LinkSettings::load(), QDateTime());
}

ConfigOutcome ClockSync::run(const LinkSettings& link, const QDateTime& time, const std::atomic<bool>* stop)
{
    const QString title = tr("同步时间");
    // The instrument's clock runs on local time; the request carries its wall-clock digits.
    const QDateTime local = (time.isValid() ? time : QDateTime::currentDateTime()).toLocalTime();
    if (!fits(local))
        return ConfigOutcome::failure(title, outOfRangeText(local), ConfigFailure::BadValue);
    LinkChannel channel;
    channel.setStopFlag(stop);
    if (!channel.open(link))
        return ConfigOutcome::failure(title, linkOpenFailureText(channel.openFailure()), ConfigFailure::CannotOpen, channel.openError());
    QByteArray reply;
    const ExchangeResult result = channel.exchange(buildSetClockRequest(channel.deviceAddress(), local), reply,
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
    else {
        outcome.addInformation(title, tr("同步时间成功"));
        outcome.clockSetTo = local;
    }
    outcome.contact = contactOf(result);
    return outcome;
}

bool ClockSync::fits(const QDateTime& time)
{
    const int year = time.toLocalTime().date().year();
    return year >= FirstYear && year <= LastYear;
}

QString ClockSync::outOfRangeText(const QDateTime& time)
{
    // The year is sent as two digits: 2100 would be set as 2000, 1999 as 2099.
    return tr("时间 %1 超出仪器的时钟范围 (%2 年至 %3 年), 未发送")
        .arg(time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))
        .arg(FirstYear)
        .arg(LastYear);
}
