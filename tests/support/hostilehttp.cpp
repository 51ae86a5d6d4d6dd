#include "tests/support/hostilehttp.h"

#include <QTcpSocket>
#include <QTimer>

#include <zlib.h>

#include <vector>

namespace {

constexpr qint64 QueueBytes = 256 * 1024; // what may wait in the socket before the peer takes it

// One request: its head is read, then the canned answer goes out.
class HostileConnection : public QObject
{
public:
    HostileConnection(QTcpSocket* socket, QByteArray head, HostileHttp::Stream stream, int trickleMs, int* requests)
        : QObject(socket), socket(socket), head(std::move(head)), stream(std::move(stream)), requests(requests)
    {
        connect(socket, &QTcpSocket::readyRead, this, [this] { readRequest(); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this] {
            if (!trickle.isActive())
                sendMore();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        trickle.setInterval(trickleMs);
        connect(&trickle, &QTimer::timeout, this, [this] { sendPiece(); });
    }

private:
    void readRequest()
    {
        request += socket->readAll();
        if (answered || !request.contains("\r\n\r\n"))
            return;
        answered = true;
        ++*requests;
        socket->write(head);
        if (trickle.interval() > 0)
            trickle.start();
        else
            sendMore();
    }
    bool sendPiece()
    {
        const QByteArray piece = stream ? stream(sent) : QByteArray();
        if (piece.isEmpty()) {
            trickle.stop();
            socket->disconnectFromHost(); // after what is queued has gone
            return false;
        }
        sent += piece.size();
        socket->write(piece);
        return true;
    }
    void sendMore()
    {
        while (answered && socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < QueueBytes)
            if (!sendPiece())
                return;
    }

    QTcpSocket* socket;
    QByteArray head;
    HostileHttp::Stream stream;
    int* requests;
    QByteArray request;
    QTimer trickle;
    qint64 sent = 0;
    bool answered = false;
};

} // namespace

QString HostileHttp::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
}

HostileHttp::Stream HostileHttp::repeating(const QByteArray& first, const QByteArray& again, qint64 limit)
{
    return [first, again, limit](qint64 sent) {
        QByteArray piece = sent == 0 ? first : again;
        if (limit >= 0)
            piece.truncate(int(qMin<qint64>(piece.size(), limit - sent)));
        return piece;
    };
}

HostileHttp::Stream HostileHttp::once(const QByteArray& bytes)
{
    return [bytes](qint64 sent) { return sent == 0 ? bytes : QByteArray(); };
}

HostileHttp::Bomb HostileHttp::bomb(Wrapper wrapper)
{
    // A full flush after each MiB ends it on a byte boundary with nothing carried over, so the
    // second part can follow itself any number of times.
    z_stream z{};
    const int bits = wrapper == Gzip ? 16 + MAX_WBITS : wrapper == Zlib ? MAX_WBITS : -MAX_WBITS;
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, bits, 9, Z_DEFAULT_STRATEGY);
    std::vector<unsigned char> zeros(1024 * 1024, 0);
    std::vector<unsigned char> out(64 * 1024);
    auto part = [&] {
        z.next_in = zeros.data();
        z.avail_in = uInt(zeros.size());
        QByteArray made;
        do {
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            deflate(&z, Z_FULL_FLUSH);
            made.append(reinterpret_cast<const char*>(out.data()), int(out.size() - z.avail_out));
        } while (z.avail_out == 0);
        return made;
    };
    Bomb bomb;
    bomb.first = part();
    bomb.again = part();
    deflateEnd(&z);
    return bomb;
}

void HostileHttp::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    new HostileConnection(socket, head, stream, trickleMs, &requests);
}
