#pragma once

#include "link/linktransport.h"

#include <memory>

class QSerialPort;

// The instrument on a serial line: the port opened with the line settings, an optional RTS
// pulse before each request and DTR held when asked.
class SerialTransport : public LinkTransport
{
public:
    explicit SerialTransport(int rtsPulseMs);
    ~SerialTransport() override;

    bool open(const LinkSettings& settings, LinkOpenFailure* failure) override;
    LinkError send(const QByteArray& request, qint64 deadlineMs) override;
    QByteArray receive(qint64 deadlineMs) override;
    QByteArray takeArrived() override;
    bool isDatagram() const override { return false; }
    qint32 lineBaudRate() const override;

    // Whether DTR was asked for and the line took it.
    bool holdsDtr() const { return dtrHeld; }

private:
    bool pulseRts();
    bool waitForData(qint64 deadlineMs);

    int rtsPulseMs;
    bool sendRts = false;
    bool dtrHeld = false;
    std::unique_ptr<QSerialPort> port;
};
