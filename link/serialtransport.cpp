#include "link/serialtransport.h"

#include "link/linkerror.h"

#include <QEventLoop>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

namespace {
// A pause that keeps this thread's event loop running, as the port's signals need.
void pauseMs(int ms)
{
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QEventLoop loop;
    QObject::connect(&timer, SIGNAL(timeout()), &loop, SLOT(quit()));
    timer.start(ms);
    loop.exec();
}
} // namespace

SerialTransport::SerialTransport(int rtsPulse) : rtsPulseMs(rtsPulse), port(new QSerialPort)
{ }

SerialTransport::~SerialTransport() = default;

bool SerialTransport::open(const LinkSettings& settings, LinkOpenFailure* failure)
{
    sendRts = settings.sendRts;
    port->setPortName(settings.serialPort);
    if (!port->open(QIODevice::ReadWrite)) {
        failure->kind =
            settings.serialPort.isEmpty() ? LinkOpenFailure::NoSerialPort : LinkOpenFailure::SerialPortFailed;
        failure->port = settings.serialPort;
        return false;
    }
    // The results of these setters are ignored: a line that keeps its own framing (a
    // pseudo-terminal) still carries the frames.
    port->setBaudRate(settings.baudRate);
    port->setDataBits(QSerialPort::DataBits(settings.dataBits));
    port->setParity(QSerialPort::Parity(settings.parity));
    port->setStopBits(QSerialPort::StopBits(settings.stopBits));
    port->setFlowControl(QSerialPort::NoFlowControl);
    // Some instruments draw their interface's power from DTR; a line without modem control
    // (a pseudo-terminal) cannot hold it and still carries the frames.
    if (settings.sendDtr)
        dtrHeld = port->setDataTerminalReady(true);
    return true;
}

qint32 SerialTransport::lineBaudRate() const
{
    return port->isOpen() ? port->baudRate() : 0;
}

bool SerialTransport::pulseRts()
{
    if (!port->setRequestToSend(false))
        return false;
    pauseMs(rtsPulseMs);
    if (!port->setRequestToSend(true))
        return false;
    pauseMs(rtsPulseMs);
    return true;
}

LinkError SerialTransport::send(const QByteArray& request, qint64 deadlineMs)
{
    if (!port->isOpen() || request.isEmpty() || (sendRts && !pulseRts()))
        return LinkError::WriteFailed;
    // Bytes before the request were taken and judged by the channel already; only a request that
    // never went out whole (a write that timed out) is discarded, so it cannot precede this one.
    if (port->bytesToWrite() > 0)
        port->clear(QSerialPort::Output);
    if (port->write(request) < request.size())
        return LinkError::WriteFailed;
    // A request is a few bytes: the system takes it at once, with one write and no wait for the
    // line to be ready first. Only what it did not take is waited for.
    port->flush();
    if (port->bytesToWrite() > 0 && !port->waitForBytesWritten(int(qMax<qint64>(1, deadlineMs - nowMs()))))
        return LinkError::SendFailed;
    return LinkError::None;
}

bool SerialTransport::waitForData(qint64 deadlineMs)
{
    // A wait on the port's descriptor, without an event loop to spin; in short slices so that a
    // stop request ends it.
    while (port->bytesAvailable() == 0) {
        if (hasExpired(deadlineMs) || stopRequested())
            return false;
        port->waitForReadyRead(sliceOf(deadlineMs));
    }
    return true;
}

QByteArray SerialTransport::receive(qint64 deadlineMs)
{
    if (!port->isOpen() || !waitForData(deadlineMs))
        return QByteArray();
    return port->readAll();
}

QByteArray SerialTransport::takeArrived()
{
    if (!port->isOpen())
        return QByteArray();
    // Bytes the system holds but this port has not been told of yet are fetched first.
    port->waitForReadyRead(0);
    return port->readAll();
}
