#include "firmware/updatethread.h"

#include "link/frames.h"
#include "link/linkchannel.h"

#include <QRegExp>
#include <QRegularExpression>

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

QString UpdateThread::modelOf(const QByteArray& reply)
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

QString UpdateThread::stageText(int stage, int current, int total)
{
    switch (stage) {
    case Identifying:
        return tr("第 1/4 步: 识别仪器");
    case Erasing:
        return tr("第 2/4 步: 擦除仪器内存");
    case Writing:
        return tr("第 3/4 步: 写入第 %1 / %2 页").arg(current).arg(total);
    case Finishing:
        return tr("第 4/4 步: 结束更新, 等待仪器重启 (最多 %1 秒)").arg(current);
    }
    return QString();
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
    emit signalStage(Finishing, (finishTimeoutMs() + 999) / 1000, 0);
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

    emit signalStage(Identifying, 0, 0);
    QByteArray identity;
    if (exchange(channel, buildReadDeviceIdRequest(), identity) != ExchangeOk
        && exchange(channel, buildReadDeviceIdRequest(), identity) != ExchangeOk) {
        fail(UpdateFailure::NoIdentity, tr("固件更新失败,获取设备ID失败!"));
        const LinkError unanswered = failureLink;
        finish(channel);
        failureLink = unanswered;
        return;
    }
    const QString deviceModel = modelOf(identity);
    emit signalDeviceModel(deviceModel);
    if (!modelMatches(info.model(), identity)) {
        fail(UpdateFailure::WrongModel, tr("固件更新失败,BIN文件与设备型号不一致!") + QLatin1Char('\n')
                                            + tr("固件包的型号: %1, 仪器的型号: %2").arg(info.model(), deviceModel));
        finish(channel);
        failureLink = LinkError::None;
        return;
    }

    emit signalStage(Erasing, 0, 0);
    if (!expectAck(channel, buildEraseFlashRequest(quint32(image.size())), eraseFlashAcknowledgement(), true)) {
        fail(UpdateFailure::EraseFailed, tr("固件更新失败,擦除设备内存失败!"));
        return;
    }
    emit signalUpdateProgress(0);

    const int pages = int((image.size() + FirmwarePageSize - 1) / FirmwarePageSize);
    for (qint64 offset = 0; offset < image.size(); offset += FirmwarePageSize) {
        const int number = int(offset / FirmwarePageSize % 256);
        emit signalStage(Writing, int(offset / FirmwarePageSize) + 1, pages);
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
