#pragma once

#include <QNetworkReply>
#include <QString>
#include <QUrl>

#include <atomic>
#include <functional>

// One GET on the calling thread, received as the reply signals readiness (no polling), so it
// runs in a worker's run(). Peers of https addresses are verified against the system's
// certificates. Every chunk goes to onData at once; nothing is held whole.
class HttpFetch
{
public:
    enum Outcome {
        Finished, // the reply ended, or onData said the body is complete
        Failed,   // a network, TLS or server error; errorText says which
        TimedOut, // less than minProgressBytes arrived in idleTimeoutMs
        Stopped   // stopFlag was set
    };

    // Gets the body length announced by the server (-1 when none) before the first chunk.
    std::function<void(qint64 announced)> onHeaders;
    // Returns false to end the fetch early with Finished (the announced length was reached) or,
    // when it sets writeFailed, with Failed.
    std::function<bool(const QByteArray& chunk)> onData;

    // A server that drips a byte now and then is as good as silent: each window of idleTimeoutMs
    // must bring at least minProgressBytes (or the end of the body).
    int idleTimeoutMs = 30000;
    qint64 minProgressBytes = 1024;
    const std::atomic<bool>* stopFlag = nullptr;
    bool writeFailed = false;
    QString errorText;
    QNetworkReply::NetworkError errorCode = QNetworkReply::NoError;

    Outcome get(const QUrl& url);
};
