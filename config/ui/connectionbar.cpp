#include "config/ui/connectionbar.h"

#include "config/ui/localclock.h"

#include <QEvent>
#include <QTimer>

#include <utility>

namespace {

QChar parityLetter(int parity)
{
    switch (parity) {
    case 2:
        return QLatin1Char('E');
    case 3:
        return QLatin1Char('O');
    case 4:
        return QLatin1Char('S');
    case 5:
        return QLatin1Char('M');
    default:
        return QLatin1Char('N');
    }
}

QString stopBitsText(int stopBits)
{
    return stopBits == 3 ? QStringLiteral("1.5") : QString::number(stopBits);
}

bool sameTarget(const LinkSettings& a, const LinkSettings& b)
{
    return a.useUdp == b.useUdp && a.serialPort == b.serialPort && a.baudRate == b.baudRate && a.dataBits == b.dataBits
        && a.parity == b.parity && a.stopBits == b.stopBits && a.udpAddress == b.udpAddress && a.udpPort == b.udpPort
        && a.deviceAddress == b.deviceAddress;
}

} // namespace

// The bar gives way before the busy note (BusyIndicator keeps more).
ConnectionBar::ConnectionBar(QWidget* parent) : ElidedLabel(Qt::ElideMiddle, 6, parent), waitTick(new QTimer(this))
{
    setObjectName(QStringLiteral("connectionBar"));
    // A wait shows after a moment and its seconds count on: an operation that ends sooner (most,
    // on a fast link) spends no new text and layout of the status bar on it.
    connect(waitTick, &QTimer::timeout, this, [this] {
        waitShown = true;
        waitTick->setInterval(1000);
        render();
    });
    render();
}

QString ConnectionBar::describeTarget(const LinkSettings& link)
{
    if (link.useUdp)
        return QStringLiteral("UDP %1:%2").arg(link.udpAddress, link.udpPort);
    return QStringLiteral("%1 %2 %3%4%5")
        .arg(link.serialPort)
        .arg(link.baudRate)
        .arg(link.dataBits)
        .arg(parityLetter(link.parity))
        .arg(stopBitsText(link.stopBits));
}

void ConnectionBar::showLink(const LinkSettings& shown)
{
    if (!hasLink || !sameTarget(link, shown))
        lastContact = LinkContact::NotTried;
    link = shown;
    hasLink = true;
    render();
}

void ConnectionBar::showContact(LinkContact contact, const QTime& at)
{
    if (contact == LinkContact::NotTried)
        return;
    lastContact = contact;
    waiting = waitShown = false;
    waitTick->stop();
    thread_local LocalClock clock;
    contactTime = at.isValid() ? at : clock.now();
    render();
}

void ConnectionBar::showWaiting()
{
    waiting = true;
    waitClock.start();
    waitTick->start(WaitShownAfterMs);
}

void ConnectionBar::endWaiting()
{
    waitTick->stop();
    waiting = false;
    if (std::exchange(waitShown, false))
        render();
}

void ConnectionBar::render()
{
    QString state;
    if (waitShown) {
        state = tr("等待应答… %1 s").arg(waitClock.elapsed() / 1000);
    } else {
        switch (lastContact) {
        case LinkContact::NotTried:
            state = tr("尚未通讯");
            break;
        case LinkContact::Answered:
            state = tr("%1 有应答").arg(contactTime.toString(QStringLiteral("HH:mm:ss")));
            break;
        case LinkContact::NoAnswer:
            state = tr("%1 无应答").arg(contactTime.toString(QStringLiteral("HH:mm:ss")));
            break;
        }
    }
    const QString target = hasLink ? describeTarget(link) : QString();
    setWholeText(tr("%1 | 设备地址 %2 | %3").arg(target).arg(link.deviceAddress).arg(state));
}

void ConnectionBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        render();
    ElidedLabel::changeEvent(event);
}
