#include "firmware/httpfetch.h"

#include "firmware/httpreply.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSslSocket>
#include <QTimer>

#include <limits>

namespace {

// How often a running fetch looks at its stop flag.
constexpr int StopPollMs = 50;
// What the socket may hold ahead of us, and what is read at a time: the server waits while we work.
constexpr qint64 ReadBufferBytes = 256 * 1024;
constexpr qint64 ReadPieceBytes = 64 * 1024;
constexpr int MaxRedirects = 5;

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

QByteArray requestFor(const QUrl& url)
{
    const bool https = url.scheme().toLower() == QLatin1String("https");
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    const int port = url.port();
    if (port >= 0 && port != (https ? 443 : 80))
        host += ':' + QByteArray::number(port);
    QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
    if (path.isEmpty())
        path = "/";
    if (url.hasQuery())
        path += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    // Identity asked for: a server that compresses anyway is inflated under the same limits.
    return "GET " + path + " HTTP/1.1\r\nHost: " + host
        + "\r\nAccept-Encoding: identity\r\nConnection: close\r\nUser-Agent: zq-assistant\r\n\r\n";
}

} // namespace

HttpFetch::Outcome HttpFetch::get(const QUrl& url)
{
    QElapsedTimer clock;
    clock.start();
    QUrl at = url;
    Outcome outcome = Failed;
    for (int hop = 0;; ++hop) {
        failed = NoFailure;
        error.clear();
        complete = false;
        wireBody = 0;
        if (getOnce(at, &outcome, clock.elapsed()) == Done)
            return outcome;
        // A redirect: the next address, resolved against this one.
        const QUrl next = at.resolved(redirect);
        const QString scheme = next.scheme().toLower();
        const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
        if (!web || next.host().isEmpty()
            || (at.scheme().toLower() == QLatin1String("https") && scheme != QLatin1String("https"))) {
            redirect = next;
            failed = RedirectRefused;
            return Failed;
        }
        if (hop + 1 >= MaxRedirects) {
            failed = BadReply;
            return Failed;
        }
        at = next;
    }
}

HttpFetch::Step HttpFetch::getOnce(const QUrl& url, Outcome* result, qint64 elapsedMs)
{
    const bool https = url.scheme().toLower() == QLatin1String("https");
    if (https && !QSslSocket::supportsSsl()) {
        failed = Untrusted;
        error = QStringLiteral("TLS");
        *result = Failed;
        return Done;
    }
    QSslSocket socket;
    socket.setReadBufferSize(ReadBufferBytes);
    HttpReplyReader reader;

    Outcome outcome = Finished;
    bool decided = false;
    bool redirecting = false;
    qint64 windowBytes = 0; // received since the idle window last began
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    QTimer deadline;
    deadline.setSingleShot(true);
    QTimer stopPoll;

    auto end = [&](Outcome how) {
        if (decided)
            return;
        decided = true;
        outcome = how;
        loop.quit();
    };
    auto failWith = [&](Failure why, const QString& text = QString()) {
        if (decided)
            return;
        failed = why;
        error = text;
        end(Failed);
    };
    auto judgeReader = [&] {
        switch (reader.fault()) {
        case HttpReplyReader::NoFault:
            complete = reader.isDone();
            end(Finished);
            break;
        case HttpReplyReader::HeadTooLarge:
            failWith(HeadTooLarge);
            break;
        case HttpReplyReader::UnknownEncoding:
            failWith(UnknownEncoding, QString::fromLatin1(reader.refusedCoding()));
            break;
        case HttpReplyReader::CorruptEncoding:
            failWith(CorruptEncoding);
            break;
        case HttpReplyReader::NotHttp:
        case HttpReplyReader::BadChunk:
        case HttpReplyReader::EndedEarly:
            failWith(BadReply);
            break;
        }
    };
    const qint64 baseMs = qMax<qint64>(0, deadlineMs - elapsedMs);
    auto extendDeadline = [&](qint64 bodyBytes) {
        if (slowestBytesPerSecond <= 0)
            return;
        const qint64 extraMs = qMin<qint64>(bodyBytes, qint64(1) << 40) * 1000 / slowestBytesPerSecond;
        deadlineUsed = deadlineMs + extraMs;
        deadline.start(int(qMin<qint64>(baseMs + extraMs, std::numeric_limits<int>::max())));
    };

    reader.onHead = [&] {
        statusCode = reader.status();
        reasonPhrase = reader.reason();
        if (isRedirect(statusCode) && !reader.location().isEmpty()) {
            redirect = QUrl(QString::fromLatin1(reader.location()), QUrl::TolerantMode);
            redirecting = true;
            return false;
        }
        if (statusCode >= 400) {
            failWith(ServerError);
            return false;
        }
        extendDeadline(reader.contentLength() >= 0 ? reader.contentLength() : largestBody);
        if (onHeaders)
            onHeaders(reader.contentLength());
        return true;
    };
    reader.onBody = [&](const char* data, qint64 size) {
        return !onData || onData(QByteArray::fromRawData(data, int(size)));
    };
    auto drain = [&] {
        while (!decided && socket.bytesAvailable() > 0) {
            const QByteArray piece = socket.read(qMin(socket.bytesAvailable(), ReadPieceBytes));
            windowBytes += piece.size();
            if (!reader.feed(piece))
                judgeReader();
        }
        wireBody = reader.wireBodyBytes();
        if (windowBytes >= minProgressBytes) {
            windowBytes = 0;
            idle.start(idleTimeoutMs);
        }
    };

    QObject::connect(&socket, &QAbstractSocket::connected, &loop, [&] {
        if (!https)
            socket.write(requestFor(url));
    });
    QObject::connect(&socket, &QSslSocket::encrypted, &loop, [&] { socket.write(requestFor(url)); });
    QObject::connect(&socket, &QIODevice::readyRead, &loop, drain);
    // The close may frame the body; the reader judges whether it came too early.
    auto closed = [&] {
        drain();
        if (decided)
            return;
        reader.endOfStream();
        judgeReader();
    };
    QObject::connect(&socket, &QAbstractSocket::disconnected, &loop, closed);
    QObject::connect(&socket, &QAbstractSocket::errorOccurred, &loop, [&](QAbstractSocket::SocketError code) {
        if (code == QAbstractSocket::RemoteHostClosedError) {
            closed();
            return;
        }
        failWith(code == QAbstractSocket::SslHandshakeFailedError ? Untrusted : NetworkError, socket.errorString());
    });
    QObject::connect(&socket, QOverload<const QList<QSslError>&>::of(&QSslSocket::sslErrors), &loop,
                     [&](const QList<QSslError>& errors) {
                         failWith(Untrusted, errors.isEmpty() ? socket.errorString() : errors.first().errorString());
                     });
    QObject::connect(&idle, &QTimer::timeout, &loop, [&] { end(TimedOut); });
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] { end(Overdue); });
    QObject::connect(&stopPoll, &QTimer::timeout, &loop, [&] {
        if (stopFlag && *stopFlag)
            end(Stopped);
    });
    idle.start(idleTimeoutMs);
    deadlineUsed = deadlineMs;
    deadline.start(int(baseMs));
    stopPoll.start(StopPollMs);
    const quint16 port = quint16(url.port(https ? 443 : 80));
    if (https)
        socket.connectToHostEncrypted(url.host(), port);
    else
        socket.connectToHost(url.host(), port);
    if (!decided && !(stopFlag && *stopFlag))
        loop.exec();
    else if (!decided)
        end(Stopped);

    // The connection is cut at once, so a stalled or flooding server sees it close.
    QObject::disconnect(&socket, nullptr, &loop, nullptr);
    socket.abort();
    *result = outcome;
    return redirecting && outcome == Finished ? Redirect : Done;
}
