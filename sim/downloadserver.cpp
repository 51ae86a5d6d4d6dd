#include "sim/downloadserver.h"

#include "firmware/packagewriter.h"

#include <QFile>
#include <QPointer>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <limits>

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;
constexpr qint64 QueueBytes = 256 * 1024; // what may wait in the socket before the peer takes it

// An endless body is the same bytes again and again, made once: the server must outpace the peer.
const QByteArray& endlessChunk()
{
    static const QByteArray chunk = DownloadServer::generatedBytes(0, int(ChunkBytes));
    return chunk;
}

QByteArray escapeXml(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

} // namespace

// One request on one connection: read the request head, answer, close.
class DownloadConnection : public QObject
{
public:
    DownloadConnection(DownloadServer* server, QTcpSocket* socket) : QObject(socket), server(server), socket(socket)
    {
        connect(socket, &QTcpSocket::readyRead, this, [this] { readRequest(); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this] { sendMore(); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    void readRequest()
    {
        if (answered)
            return;
        head += socket->readAll();
        if (!head.contains("\r\n\r\n"))
            return;
        answered = true;
        ++server->requests;
        const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
        const QString path = words.size() >= 2 ? QUrl::fromPercentEncoding(words.at(1)) : QString();
        const DownloadServer::Misbehaviour fault = server->fault;

        if (fault == DownloadServer::NotFound || words.value(0) != "GET") {
            respond("404 Not Found", "no such file\n");
            return;
        }
        if (path == QLatin1String("/down.html")) {
            respond("200 OK", server->page(), "text/html; charset=utf-8");
            return;
        }
        const QString prefix = QStringLiteral("/files/");
        const auto found = path.startsWith(prefix) ? server->files.constFind(path.mid(prefix.size())) : server->files.cend();
        if (found == server->files.cend()) {
            respond("404 Not Found", "no such file\n");
            return;
        }
        file = *found;
        if (fault == DownloadServer::HugeLength) {
            file = DownloadServer::File();
            file.generatedSize = DownloadServer::HugeLengthBytes;
        }
        total = file.size();
        limit = (fault == DownloadServer::CutShort || fault == DownloadServer::Stall) ? total / 2 : total;
        stall = fault == DownloadServer::Stall;
        writeHead("200 OK", total, "application/octet-stream");
        sendMore();
    }

    // The hostile bodies: one that never ends, and one that trickles.
    bool startHostileBody()
    {
        const DownloadServer::Misbehaviour fault = server->fault;
        if (fault == DownloadServer::Endless) {
            file = DownloadServer::File();
            file.generatedSize = std::numeric_limits<qint64>::max();
            total = limit = file.generatedSize;
            endless = true;
            return false; // sendMore streams it, as fast as the peer takes it
        }
        if (fault != DownloadServer::Drip)
            return false;
        auto* drip = new QTimer(this);
        connect(drip, &QTimer::timeout, this, [this] {
            if (sent < limit) {
                socket->write(file.generatedSize >= 0 ? DownloadServer::generatedBytes(sent, 1) : file.bytes.mid(int(sent), 1));
                ++sent;
            }
        });
        drip->start(DownloadServer::DripIntervalMs);
        return true;
    }

    void respond(const QByteArray& status, const QByteArray& body, const QByteArray& type = "text/plain")
    {
        file = DownloadServer::File();
        file.bytes = body;
        total = body.size();
        const DownloadServer::Misbehaviour fault = server->fault;
        limit = (fault == DownloadServer::CutShort || fault == DownloadServer::Stall) ? total / 2 : total;
        stall = fault == DownloadServer::Stall;
        writeHead(status, total, type);
        sendMore();
    }

    void writeHead(const QByteArray& status, qint64 length, const QByteArray& type)
    {
        QByteArray out = "HTTP/1.1 " + status + "\r\nContent-Type: " + type + "\r\nConnection: close\r\n";
        dripping = startHostileBody();
        if (server->fault != DownloadServer::NoContentLength && server->fault != DownloadServer::Endless)
            out += "Content-Length: " + QByteArray::number(length) + "\r\n";
        socket->write(out + "\r\n");
    }

    void sendMore()
    {
        if (!answered || finished || dripping)
            return;
        while (sent < limit && socket->bytesToWrite() < QueueBytes) {
            const int length = int(qMin(ChunkBytes, limit - sent));
            if (endless)
                socket->write(endlessChunk().left(length));
            else
                socket->write(file.generatedSize >= 0 ? DownloadServer::generatedBytes(sent, length)
                                                      : file.bytes.mid(int(sent), length));
            sent += length;
        }
        if (sent >= limit && !stall) {
            finished = true;
            socket->disconnectFromHost(); // after what is queued has gone
        }
    }

    DownloadServer* server;
    QTcpSocket* socket;
    QByteArray head;
    DownloadServer::File file;
    qint64 total = 0;
    qint64 limit = 0;
    qint64 sent = 0;
    bool answered = false;
    bool stall = false;
    bool dripping = false;
    bool endless = false;
    bool finished = false;
};

DownloadServer::DownloadServer(QObject* parent) : QTcpServer(parent) {}

DownloadServer::~DownloadServer() = default;

void DownloadServer::setTls(const QSslCertificate& newCertificate, const QSslKey& newKey)
{
    tls = true;
    certificate = newCertificate;
    key = newKey;
}

void DownloadServer::incomingConnection(qintptr descriptor)
{
    QTcpSocket* socket;
    if (tls) {
        auto* secure = new QSslSocket(this);
        secure->setLocalCertificate(certificate);
        secure->setPrivateKey(key);
        socket = secure;
    } else {
        socket = new QTcpSocket(this);
    }
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    new DownloadConnection(this, socket);
    if (tls) {
        auto* secure = static_cast<QSslSocket*>(socket);
        // A client that refuses the certificate simply hangs up.
        connect(secure, QOverload<const QList<QSslError>&>::of(&QSslSocket::sslErrors), secure, &QObject::deleteLater);
        secure->startServerEncryption();
    }
}

bool DownloadServer::addPackages(const QString& model, QString* error)
{
    QTemporaryDir dir;
    const QStringList versions{QStringLiteral("V1.0"), QStringLiteral("V1.1")};
    for (int i = 0; i < versions.size(); ++i) {
        QByteArray image((64 + 32 * i) * 1024, Qt::Uninitialized);
        for (int b = 0; b < image.size(); ++b)
            image[b] = char((b * 13 + i) % 256);
        const QString name = QStringLiteral("%1_%2.zqbin").arg(model, versions.at(i));
        const QString path = dir.filePath(QStringLiteral("p.zqbin"));
        const QString failed = PackageWriter::write(
            path, PackageWriter::fields(QStringLiteral("ZQ仪表"), model, versions.at(i), image));
        QFile written(path);
        if (!failed.isEmpty() || !written.open(QIODevice::ReadOnly)) {
            if (error)
                *error = failed.isEmpty() ? written.errorString() : failed;
            return false;
        }
        addFile(name, written.readAll(), model + QLatin1Char(' ') + versions.at(i));
    }
    return true;
}

void DownloadServer::addFile(const QString& name, const QByteArray& body, const QString& displayName)
{
    File file;
    file.bytes = body;
    files.insert(name, file);
    if (!displayName.isEmpty())
        entries.append({displayName, QString(), name, QString()});
}

void DownloadServer::addGeneratedFile(const QString& name, qint64 size, const QString& displayName)
{
    File file;
    file.generatedSize = size;
    files.insert(name, file);
    if (!displayName.isEmpty())
        entries.append({displayName, QString(), name, QString()});
}

void DownloadServer::addEntry(const QString& displayName, const QString& href)
{
    entries.append({displayName, href, QString(), QString()});
}

void DownloadServer::setEntryDate(const QString& displayName, const QString& date)
{
    for (Entry& entry : entries)
        if (entry.name == displayName)
            entry.date = date;
}

void DownloadServer::removeEntry(const QString& displayName)
{
    for (int i = entries.size() - 1; i >= 0; --i)
        if (entries.at(i).name == displayName)
            entries.removeAt(i);
}

QString DownloadServer::baseUrl() const
{
    QString host = serverAddress().toString();
    if (serverAddress().protocol() == QAbstractSocket::IPv6Protocol)
        host = QLatin1Char('[') + host + QLatin1Char(']');
    return QStringLiteral("%1://%2:%3").arg(tls ? QStringLiteral("https") : QStringLiteral("http"), host).arg(serverPort());
}

QString DownloadServer::pageUrl() const
{
    return baseUrl() + QStringLiteral("/down.html");
}

QString DownloadServer::fileUrl(const QString& name) const
{
    return baseUrl() + QStringLiteral("/files/") + QString::fromLatin1(QUrl::toPercentEncoding(name));
}

QByteArray DownloadServer::generatedBytes(qint64 offset, int length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        bytes[i] = char(((offset + i) * 31 + (offset + i) / 4093) % 256);
    return bytes;
}

QByteArray DownloadServer::page() const
{
    if (fault == PageNotXml)
        return "<!DOCTYPE html><html><body><div><div>固件<br></div><p>not closed</body></html>";
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html>\n<body>\n<div>\n<div>固件下载</div>\n";
    if (fault == PageOtherStructure)
        out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html>\n<body>\n<section>\n<div>固件下载</div>\n";
    const int rounds = fault == DuplicateNames ? 2 : 1;
    for (int round = 0; round < rounds; ++round) {
        for (const Entry& entry : entries) {
            QString href = entry.href.isEmpty() ? fileUrl(entry.file) : entry.href;
            if (round == 1)
                href += QStringLiteral("?second");
            QByteArray details;
            if (files.contains(entry.file))
                details += "<div class=\"size\">" + QByteArray::number((files.value(entry.file).size() + 1023) / 1024) + " KiB</div>";
            if (!entry.date.isEmpty())
                details += "<div class=\"date\">" + escapeXml(entry.date) + "</div>";
            out += "<div class=\"entry\"><div>" + escapeXml(entry.name) + "</div>" + details + "<div><a href=\""
                   + escapeXml(href) + "\">下载</a></div></div>\n";
        }
    }
    out += fault == PageOtherStructure ? "</section>\n</body>\n</html>\n" : "</div>\n</body>\n</html>\n";
    return out;
}
