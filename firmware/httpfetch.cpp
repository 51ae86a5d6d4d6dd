#include "firmware/httpfetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

// How often a running fetch looks at its stop flag.
constexpr int StopPollMs = 50;
// Bounds what the reply buffers ahead of us; the server waits while we write.
constexpr qint64 ReadBufferBytes = 1024 * 1024;

} // namespace

HttpFetch::Outcome HttpFetch::get(const QUrl& url)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    reply->setReadBufferSize(ReadBufferBytes);

    Outcome outcome = Finished;
    bool decided = false;
    bool headersSeen = false;
    bool errorStatus = false; // an error page's body is no file: it is dropped
    qint64 windowBytes = 0; // received since the idle window last began
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    QTimer stopPoll;

    auto end = [&](Outcome result) {
        if (decided)
            return;
        decided = true;
        outcome = result;
        loop.quit();
    };
    auto drain = [&] {
        if (decided)
            return;
        if (!headersSeen) {
            headersSeen = true;
            errorStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() >= 400;
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (onHeaders)
                onHeaders(length.isValid() ? length.toLongLong() : -1);
        }
        while (!decided && reply->bytesAvailable() > 0) {
            const QByteArray chunk = reply->read(qMin<qint64>(reply->bytesAvailable(), ReadBufferBytes));
            windowBytes += chunk.size();
            if (!errorStatus && onData && !onData(chunk))
                end(writeFailed ? Failed : Finished);
        }
        if (windowBytes >= minProgressBytes) {
            windowBytes = 0;
            idle.start(idleTimeoutMs);
        }
    };

    QObject::connect(reply, &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(reply, &QNetworkReply::finished, &loop, [&] {
        drain();
        if (reply->error() != QNetworkReply::NoError && !decided) {
            errorText = reply->errorString();
            errorCode = reply->error();
            end(Failed);
        }
        end(Finished);
    });
    QObject::connect(&idle, &QTimer::timeout, &loop, [&] { end(TimedOut); });
    QObject::connect(&stopPoll, &QTimer::timeout, &loop, [&] {
        if (stopFlag && *stopFlag)
            end(Stopped);
    });
    idle.start(idleTimeoutMs);
    stopPoll.start(StopPollMs);
    // Even a reply that fails at once reports its end through the event loop.
    loop.exec();

    // The reply is ended before it is deleted, so a stalled server sees the connection close.
    QObject::disconnect(reply, nullptr, &loop, nullptr);
    QObject::disconnect(reply, nullptr, &idle, nullptr);
    if (!reply->isFinished())
        reply->abort();
    delete reply;
    manager.clearAccessCache();
    return outcome;
}
