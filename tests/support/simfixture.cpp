#include "tests/support/simfixture.h"

#include "settings/config.h"
#include "settings/singleton.h"

#include <QSettings>

SimFixture::SimFixture(bool withPty)
{
    ready = host.start() && host.listenUdp(QHostAddress(QHostAddress::LocalHost), 0)
            && (!withPty || host.openPty());
}

quint16 SimFixture::udpPort() const
{
    return sim() ? sim()->udpPort() : 0;
}

QString SimFixture::ptyPath() const
{
    return sim() ? sim()->ptyPath() : QString();
}

void SimFixture::useUdp() const
{
    Config* config = singleton<Config>::instance();
    config->setValue(QStringLiteral("communicate/udp"), 1);
    config->setValue(QStringLiteral("udp/address"), QStringLiteral("127.0.0.1"));
    config->setValue(QStringLiteral("udp/port"), QString::number(udpPort()));
    config->setValue(QStringLiteral("device/address"), sim() ? int(sim()->deviceAddress()) : 255);
    config->settings()->sync();
}

void SimFixture::useSerial(bool sendRts) const
{
    Config* config = singleton<Config>::instance();
    config->setValue(QStringLiteral("communicate/udp"), 0);
    config->setValue(QStringLiteral("serial/port"), ptyPath());
    config->setValue(QStringLiteral("serial/baudrate"), 9600);
    config->setValue(QStringLiteral("serial/databits"), 8);
    config->setValue(QStringLiteral("serial/parity"), 0);
    config->setValue(QStringLiteral("serial/stopbits"), 1);
    config->setValue(QStringLiteral("serial/send_rts"), sendRts);
    config->setValue(QStringLiteral("device/address"), sim() ? int(sim()->deviceAddress()) : 255);
    config->settings()->sync();
}
