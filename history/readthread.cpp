#include "history/readthread.h"

#include "link/linkchannel.h"

namespace {

// Whether a cut-off line held anything worth telling about: stray blanks, carriage returns or
// padding after the last record are not a record.
bool holdsText(const QString& text)
{
    for (const QChar c : text) {
        if (!c.isSpace() && c != QChar(0))
            return true;
    }
    return false;
}

} // namespace

ReadThread::ReadThread() = default;

ReadThread::~ReadThread()
{
    stopAndWait();
}

bool ReadThread::startRead(const QByteArray& frame)
{
    if (isRunning())
        return false;
    request = frame;
    return startWork();
}

bool ReadThread::isStopped()
{
    return stopRequested();
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
    const int lastFeed = chunk.lastIndexOf('\n');
    if (lastFeed < 0) {
        unfinished.append(chunk);
        passOnOverlongLine();
        return;
    }
    // Every line the chunk completes goes out together, decoded in one pass.
    QByteArray lines;
    if (unfinished.isEmpty()) {
        lines = lastFeed + 1 == chunk.size() ? chunk : chunk.left(lastFeed + 1);
    } else {
        lines.swap(unfinished);
        lines.append(chunk.constData(), lastFeed + 1);
    }
    unfinished = chunk.mid(lastFeed + 1);
    passOn(lines);
    passOnOverlongLine();
}

void ReadThread::passOn(const QByteArray& lines)
{
    emit signalAddLines(decoder.decodeLines(lines));
}

void ReadThread::passOnOverlongLine()
{
    while (unfinished.size() >= MaxLineBytes) {
        passOn(unfinished.left(MaxLineBytes) + '\n');
        unfinished.remove(0, MaxLineBytes);
    }
}

void ReadThread::run()
{
    unfinished.clear();
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
    QByteArray rest;
    rest.swap(unfinished);
    if (holdsText(decoder.decode(rest)))
        emit signalCutOff();
}
