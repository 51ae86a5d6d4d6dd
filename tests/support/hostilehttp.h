#pragma once

#include <QByteArray>
#include <QTcpServer>

#include <functional>

// A web server on loopback that answers every request with whatever bytes a test makes: a head
// and a stream that may never end (a compression bomb, a flood of header lines), sent as fast as
// the peer takes them, or a piece every trickleMs. It lives in the thread that made it.
//     HostileHttp server;
//     server.head = "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n";
//     server.stream = HostileHttp::repeating(bomb.first, bomb.repeat);
//     server.listen(QHostAddress::LocalHost);
class HostileHttp : public QTcpServer
{
public:
    // Gives the piece to send after `sent` bytes of the stream; empty ends it (the connection closes).
    using Stream = std::function<QByteArray(qint64 sent)>;

    QByteArray head;
    Stream stream;
    // With a value above 0, one piece every this many ms instead of as fast as taken.
    int trickleMs = 0;

    QString url(const QString& path = QStringLiteral("/down.html")) const;
    int requestCount() const { return requests; }

    // The stream of first, then again and again (limit bytes in all; -1 without end).
    static Stream repeating(const QByteArray& first, const QByteArray& again, qint64 limit = -1);
    // The stream of these bytes once.
    static Stream once(const QByteArray& bytes);

    // Compressed data that inflates to about inflatedMiB MiB of zeros, in parts that may be
    // repeated: the first part (with the wrapper's header) and a part to send again and again,
    // each worth 1 MiB. The stream is never finished, so it inflates for as long as it is fed.
    enum Wrapper { Gzip, Zlib, RawDeflate };
    struct Bomb
    {
        QByteArray first;
        QByteArray again;
    };
    static Bomb bomb(Wrapper wrapper);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    int requests = 0;
};
