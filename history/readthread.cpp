#include "history/readthread.h"

#include "link/frames.h"
#include "link/linkchannel.h"

ReadThread::ReadThread() = default;

ReadThread::~ReadThread()
{
    // Whoever owns the thread waits for it first; this is the last guard against destroying a
    // running thread.
    stop();
    wait();
}

void ReadThread::startRead(const QByteArray& frame)
{
    request = frame;
    stopRequested = false;
    start(QThread::InheritPriority);
}

void ReadThread::stop()
{
    stopRequested = true;
}

bool ReadThread::isStopped()
{
    return stopRequested;
}

void ReadThread::onError(const QString& text)
{
    if (!text.isEmpty())
        emit signalShowError(tr("查询"), text);
}

void ReadThread::onFailure(LinkError error)
{
    failureCode = HistoryFailure::Link;
    failureLink = error;
    onError(linkErrorText(error));
}

void ReadThread::onData(const QByteArray& chunk)
{
    for (const QByteArray& line : lineBuffer.feed(chunk))
        emitLine(line);
}

void ReadThread::emitLine(const QByteArray& line)
{
    if (!line.isEmpty())
        emit signalAddText(decodeDeviceText(line));
}

void ReadThread::run()
{
    lineBuffer.flush();
    failureCode = HistoryFailure::None;
    failureLink = LinkError::None;
    LinkChannel channel;
    if (!(link ? channel.open(*link) : channel.openFromSettings())) {
        failureCode = HistoryFailure::CannotOpen;
        failureLink = channel.openError();
        emit signalShowError(tr("查询"), channel.errorText());
        return;
    }
    emit signalClearText();
    channel.receiveStream(request, this);
    // Bytes after the last line feed are a record too.
    emitLine(lineBuffer.flush());
}
