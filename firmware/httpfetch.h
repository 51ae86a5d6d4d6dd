#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <atomic>
#include <functional>

// One GET on the calling thread over a connection of its own (TLS for https, the peer verified
// against the system's certificates), received as the socket signals readiness, so it runs inside
// an operation on the job runner's thread. Everything the server sends is bounded: the reply's head
// (64 KiB, 100 lines), the time between bytes (the stall guard) and the time of the whole request
// (the deadline), both independent; the stop flag ends it within a poll. The body goes to onData
// decoded (a gzip or deflate body inflated piece by piece) as it arrives, so a size limit counts the
// bytes it really is; nothing is held whole. Up to five redirects are followed, never from https to
// plain http.
class HttpFetch
{
public:
    enum Outcome {
        Finished, // the body ended, or onData ended the fetch; `complete` tells which
        Failed, // see failure
        TimedOut, // less than minProgressBytes arrived in idleTimeoutMs
        Overdue, // the whole request took longer than its deadline
        Stopped // stopFlag was set
    };
    enum Failure {
        NoFailure,
        NetworkError, // the connection failed; errorText says why (the network's words)
        Untrusted, // the server's certificate was refused; errorText says why
        ServerError, // a status of 400 or more; status() and reason() tell it, the body is dropped
        HeadTooLarge, // the reply's head was longer than 64 KiB or 100 lines
        BadReply, // not HTTP, broken chunks, or cut before its announced end
        UnknownEncoding, // a coding other than gzip and deflate; errorText is the coding
        CorruptEncoding, // compressed data that does not inflate
        RedirectRefused // to an address that is not http(s), or from https to plain http; redirectTarget
    };

    // Gets the body length announced by the server (-1 when none; for a compressed body the
    // length of the compressed bytes) before the first chunk.
    std::function<void(qint64 announced)> onHeaders;
    // Gets the body, decoded, in pieces; false ends the fetch (Finished, complete false).
    std::function<bool(const QByteArray& chunk)> onData;

    // A server that drips a byte now and then is as good as silent: each window of idleTimeoutMs
    // must bring at least minProgressBytes (or the end of the body).
    int idleTimeoutMs = 30000;
    qint64 minProgressBytes = 1024;
    // The whole request, from the first connection to the last byte; with slowestBytesPerSecond
    // it grows by the time that rate needs for the announced length (or for largestBody when none
    // is announced), so that a large file on a slow line is not cut.
    int deadlineMs = 30000;
    qint64 slowestBytesPerSecond = 0;
    qint64 largestBody = 0;
    const std::atomic<bool>* stopFlag = nullptr;

    Outcome get(const QUrl& url);

    // After get():
    Failure failure() const { return failed; }
    QString errorText() const { return error; }
    int status() const { return statusCode; }
    QByteArray reason() const { return reasonPhrase; }
    QUrl redirectTarget() const { return redirect; }
    // The body reached its end (the announced length, the last chunk, or the close that frames it).
    bool isComplete() const { return complete; }
    // Body bytes received as sent, and as announced (-1 when not): for progress.
    qint64 wireBodyBytes() const { return wireBody; }
    // The deadline the request ended with, in ms from its start.
    qint64 deadlineUsedMs() const { return deadlineUsed; }

private:
    enum Step { Done, Redirect };
    Step getOnce(const QUrl& url, Outcome* outcome, qint64 elapsedMs);

    Failure failed = NoFailure;
    QString error;
    int statusCode = 0;
    QByteArray reasonPhrase;
    QUrl redirect;
    bool complete = false;
    qint64 wireBody = 0;
    qint64 deadlineUsed = 0;
};
