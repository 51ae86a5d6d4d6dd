#include "firmware/updatethread.h"

#include "link/frames.h"
#include "link/linkchannel.h"

#include <QRegExp>

UpdateThread::UpdateThread() = default;

UpdateThread::~UpdateThread()
{
    wait();
}

void UpdateThread::setInfo(const DEncryptInfo& package)
{
    info = package;
}

QString UpdateThread::refusal(const DEncryptInfo& package)
{
    // Erasing for an empty image would leave the instrument without firmware and report success.
    if (package.image().isEmpty())
        return tr("固件包中没有固件数据,不能烧写!");
    // An empty model would pass any identify reply.
    if (package.model().isEmpty())
        return tr("固件包中没有设备型号,不能烧写!");
    return QString();
}

bool UpdateThread::modelMatches(const QString& model, const QByteArray& reply)
{
    if (model.isEmpty())
        return false;
    // The model is matched as written: a dot or a bracket in it is no pattern.
    const QRegExp pattern(QStringLiteral("!?Find\\s+%1\\s+OK").arg(QRegExp::escape(model)), Qt::CaseSensitive);
    return pattern.indexIn(decodeDeviceText(reply)) >= 0;
}

bool UpdateThread::isAcknowledged(const QByteArray& reply, const QByteArray& expected, bool eraseStep)
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

int UpdateThread::exchange(LinkChannel& channel, const QByteArray& request, QByteArray& reply)
{
    const ExchangeResult result = channel.exchange(request, reply, CrcOrder::HighFirst, exchangeTimeoutMs);
    // Marker replies carry their CRC high-first: an answer that came is judged by its content.
    failureLink = result == ExchangeOk ? LinkError::None : linkErrorOf(result, reply);
    return result;
}

void UpdateThread::fail(UpdateFailure code, const QString& text)
{
    failureCode = code;
    emit signalShowErrorMessage(text);
}

bool UpdateThread::expectAck(LinkChannel& channel, const QByteArray& request, const QByteArray& expected, bool eraseStep)
{
    QByteArray reply;
    return exchange(channel, request, reply) == ExchangeOk && isAcknowledged(reply, expected, eraseStep);
}

void UpdateThread::finish(LinkChannel& channel)
{
    // The loader leaves update mode on EndUpdate; it is sent twice and its answers do not matter.
    QByteArray reply;
    exchange(channel, buildEndUpdateRequest(), reply);
    exchange(channel, buildEndUpdateRequest(), reply);
}

void UpdateThread::run()
{
    failureCode = UpdateFailure::None;
    failureLink = LinkError::None;
    const QByteArray image = info.image();
    const QString refused = refusal(info);
    if (!refused.isEmpty()) {
        fail(UpdateFailure::BadPackage, refused);
        return;
    }

    LinkChannel channel;
    if (!(link ? channel.open(*link) : channel.openFromSettings())) {
        failureLink = channel.openError();
        fail(UpdateFailure::CannotOpen, tr("固件更新失败,") + channel.errorText());
        return;
    }

    QByteArray identity;
    if (exchange(channel, buildReadDeviceIdRequest(), identity) != ExchangeOk
        && exchange(channel, buildReadDeviceIdRequest(), identity) != ExchangeOk) {
        fail(UpdateFailure::NoIdentity, tr("固件更新失败,获取设备ID失败!"));
        const LinkError unanswered = failureLink;
        finish(channel);
        failureLink = unanswered;
        return;
    }
    if (!modelMatches(info.model(), identity)) {
        fail(UpdateFailure::WrongModel, tr("固件更新失败,BIN文件与设备型号不一致!"));
        finish(channel);
        failureLink = LinkError::None;
        return;
    }

    if (!expectAck(channel, buildEraseFlashRequest(quint32(image.size())), eraseFlashAcknowledgement(), true)) {
        fail(UpdateFailure::EraseFailed, tr("固件更新失败,擦除设备内存失败!"));
        return;
    }
    emit signalUpdateProgress(0);

    for (qint64 offset = 0; offset < image.size(); offset += FirmwarePageSize) {
        const int number = int(offset / FirmwarePageSize % 256);
        const QByteArray page = image.mid(int(offset), FirmwarePageSize);
        if (!expectAck(channel, buildWritePageRequest(quint8(number), page), writePageAcknowledgement(number), false)) {
            fail(UpdateFailure::PageFailed, tr("固件更新失败,发送文件数据失败!"));
            return;
        }
        emit signalUpdateProgress(int(offset * 100 / image.size()));
    }
    finish(channel);
    emit signalUpdateSucceed();
}
