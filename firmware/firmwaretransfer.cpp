#include "firmware/firmwaretransfer.h"

#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"
#include "link/linkchannel.h"

#include <QRegExp>
#include <QRegularExpression>

void UpdateSink::stage(UpdateStage, int, int)
{ }
void UpdateSink::progress(int)
{ }
void UpdateSink::identified(const QString&, bool)
{ }
bool UpdateSink::proceed(const QString&)
{
    return true;
}
void UpdateSink::decided(const UpdateOutcome&)
{ }

namespace FirmwareTransfer {

PackageProblem problemOf(const DEncryptInfo& package)
{
    if (package.image().isEmpty())
        return PackageProblem::NoImage;
    if (package.model().isEmpty())
        return PackageProblem::NoModel;
    return PackageProblem::None;
}

bool modelMatches(const QString& model, const QByteArray& reply)
{
    if (model.isEmpty())
        return false;
    // The model is matched as written: a dot or a bracket in it is no pattern.
    const QRegExp pattern(QStringLiteral("!?Find\\s+%1\\s+OK").arg(QRegExp::escape(model)), Qt::CaseSensitive);
    return pattern.indexIn(decodeDeviceText(reply)) >= 0;
}

QString modelOf(const QByteArray& reply)
{
    const QString text = decodeDeviceText(reply);
    static const QRegularExpression named(QStringLiteral("Find\\s+(\\S+)\\s+OK"));
    const QRegularExpressionMatch match = named.match(text);
    QString model = match.hasMatch() ? match.captured(1) : text;
    // An answer of any kind is shown on one line of readable characters.
    for (QChar& c : model)
        if (!c.isPrint())
            c = QLatin1Char(' ');
    return model.simplified().left(MaxShownModelLength);
}

bool isAcknowledged(const QByteArray& reply, const QByteArray& expected, bool eraseStep)
{
    if (reply == expected)
        return true;
    if (!eraseStep)
        return false;
    // Loaders differ in the bytes around the text; "Erase OK\r\n" must start at the first 'E'.
    static const QByteArray eraseText("Erase OK\r\n");
    const int start = reply.indexOf('E');
    if (start < 0)
        return false;
    const int lineEnd = reply.indexOf('\n', start);
    return lineEnd - start + 1 == eraseText.size() && reply.mid(start, eraseText.size()) == eraseText;
}

namespace {

// One run on an open channel; keeps the outcome's link code of the last exchange.
class Run
{
public:
    Run(LinkChannel& channel, const StopToken& stop, UpdateSink& sink, int timeoutMs)
        : channel(channel), stop(stop), sink(sink), timeoutMs(timeoutMs)
    { }

    UpdateOutcome write(const DEncryptInfo& package);

private:
    bool exchange(const QByteArray& request, QByteArray& reply);
    bool expectAck(const QByteArray& request, const QByteArray& expected, bool eraseStep);
    // Takes the loader out of update mode; its answers do not matter.
    void finish(bool afterTransfer);
    // Tells the outcome, then (when nothing was erased) takes the loader out of update mode.
    UpdateOutcome fail(UpdateFailure code, bool thenFinish);

    LinkChannel& channel;
    const StopToken& stop;
    UpdateSink& sink;
    const int timeoutMs;
    UpdateOutcome outcome;
};

bool Run::exchange(const QByteArray& request, QByteArray& reply)
{
    const ExchangeResult result = channel.exchange(request, reply, CrcOrder::HighFirst, timeoutMs);
    // Marker replies carry their CRC high-first: an answer that came is judged by its content.
    outcome.link = result == ExchangeOk ? LinkError::None : linkErrorOf(result, reply);
    return result == ExchangeOk;
}

bool Run::expectAck(const QByteArray& request, const QByteArray& expected, bool eraseStep)
{
    QByteArray reply;
    return exchange(request, reply) && isAcknowledged(reply, expected, eraseStep);
}

void Run::finish(bool afterTransfer)
{
    if (afterTransfer)
        sink.stage(UpdateStage::Finishing, (finishTimeoutMs(timeoutMs) + 999) / 1000, 0);
    const LinkError kept = outcome.link;
    QByteArray reply;
    exchange(buildEndUpdateRequest(), reply);
    exchange(buildEndUpdateRequest(), reply);
    outcome.link = kept;
}

UpdateOutcome Run::fail(UpdateFailure code, bool thenFinish)
{
    outcome.failure = code;
    sink.decided(outcome);
    if (thenFinish)
        finish(false);
    return outcome;
}

UpdateOutcome Run::write(const DEncryptInfo& package)
{
    const QByteArray image = package.image();
    // Until the erase, a stop ends every wait at once.
    channel.setStopFlag(stop.flag());
    sink.stage(UpdateStage::Identifying, 0, 0);
    QByteArray identity;
    if (!exchange(buildReadDeviceIdRequest(), identity) && !stop.stopRequested()
        && !exchange(buildReadDeviceIdRequest(), identity)) {
        return fail(stop.stopRequested() ? UpdateFailure::Stopped : UpdateFailure::NoIdentity, true);
    }
    if (stop.stopRequested())
        return fail(UpdateFailure::Stopped, true);
    outcome.deviceModel = modelOf(identity);
    const bool matches = modelMatches(package.model(), identity);
    sink.identified(outcome.deviceModel, matches);
    if (!matches) {
        outcome.link = LinkError::None;
        return fail(UpdateFailure::WrongModel, true);
    }
    if (!sink.proceed(outcome.deviceModel) || stop.stopRequested())
        return fail(stop.stopRequested() ? UpdateFailure::Stopped : UpdateFailure::Declined, true);

    // From here on nothing stops the flash.
    channel.setStopFlag(nullptr);
    sink.stage(UpdateStage::Erasing, 0, 0);
    outcome.erased = true;
    outcome.pages = int((image.size() + FirmwarePageSize - 1) / FirmwarePageSize);
    if (!expectAck(buildEraseFlashRequest(quint32(image.size())), eraseFlashAcknowledgement(), true))
        return fail(UpdateFailure::EraseFailed, false);
    sink.progress(0);

    for (qint64 offset = 0; offset < image.size(); offset += FirmwarePageSize) {
        const int number = int(offset / FirmwarePageSize % 256);
        outcome.page = int(offset / FirmwarePageSize) + 1;
        sink.stage(UpdateStage::Writing, outcome.page, outcome.pages);
        const QByteArray page = image.mid(int(offset), FirmwarePageSize);
        if (!expectAck(buildWritePageRequest(quint8(number), page), writePageAcknowledgement(number), false))
            return fail(UpdateFailure::PageFailed, false);
        sink.progress(int(offset * 100 / image.size()));
    }
    outcome.page = 0;
    finish(true);
    sink.decided(outcome);
    return outcome;
}

} // namespace

UpdateOutcome run(const LinkSettings& link, const DEncryptInfo& package, const StopToken& stop, UpdateSink& sink,
                  int exchangeTimeoutMs)
{
    UpdateOutcome outcome;
    outcome.packageProblem = problemOf(package);
    if (outcome.packageProblem != PackageProblem::None) {
        outcome.failure = UpdateFailure::BadPackage;
        sink.decided(outcome);
        return outcome;
    }
    LinkChannel channel;
    if (!channel.open(link)) {
        outcome.failure = UpdateFailure::CannotOpen;
        outcome.link = channel.openError();
        outcome.open = channel.openFailure();
        sink.decided(outcome);
        return outcome;
    }
    return Run(channel, stop, sink, exchangeTimeoutMs).write(package);
}

} // namespace FirmwareTransfer
