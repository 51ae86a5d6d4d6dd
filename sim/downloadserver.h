#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTcpServer>

// The maker's download page and its firmware files, served on loopback for tests and the demo.
// It knows just enough HTTP for them: one GET per connection, answered with Connection: close
// (no keep-alive, no chunked bodies, no ranges, no other methods); https when given a certificate.
// Files are streamed as the peer takes them. It lives in the thread that made it.
//     DownloadServer server;
//     server.addPackages("ZQ-100");             // two packages listed on the page
//     server.listen(QHostAddress::LocalHost);
//     server.pageUrl();                          // http://127.0.0.1:PORT/down.html
class DownloadServer : public QTcpServer
{
    Q_OBJECT
public:
    // Deliberate faults, applied to every request while set.
    enum Misbehaviour {
        Behave,
        NoContentLength,    // bodies without a Content-Length header
        CutShort,           // the full length announced, half of the body sent, then closed
        NotFound,           // 404 for everything
        Stall,              // the headers and half the body, then silence with the connection open
        PageNotXml,         // the page is HTML that no XML parser takes
        PageOtherStructure, // the page is XML, but without the entry list where it belongs
        DuplicateNames,     // every entry is listed twice, the second time with another link
        Endless,            // the page and every file: no Content-Length and bytes without end
        Drip,               // the full length announced, then one byte every DripIntervalMs
        HugeLength          // every file announced and sent as HugeLengthBytes long
    };
    static constexpr int DripIntervalMs = 100;
    static constexpr qint64 HugeLengthBytes = 1024LL * 1024 * 1024;

    explicit DownloadServer(QObject* parent = nullptr);
    ~DownloadServer() override;

    // Serves https with this certificate and key from now on.
    void setTls(const QSslCertificate& certificate, const QSslKey& key);
    void setMisbehaviour(Misbehaviour misbehaviour) { fault = misbehaviour; }

    // Adds two packages for model, "MODEL V1.0" and "MODEL V1.1", listed on the page.
    // False leaves the reason in *error.
    bool addPackages(const QString& model, QString* error = nullptr);
    // A file under /files/NAME, listed on the page as displayName unless that is empty.
    void addFile(const QString& name, const QByteArray& body, const QString& displayName = QString());
    // A file of size bytes made on the fly (generatedBytes), so a big one costs no memory.
    void addGeneratedFile(const QString& name, qint64 size, const QString& displayName = QString());
    // A page entry with this exact href (it need not lead anywhere).
    void addEntry(const QString& displayName, const QString& href);
    // The page tells this date beside the entry (class "date"); file entries always tell their size.
    void setEntryDate(const QString& displayName, const QString& date);
    // Drops the page entry of that name (the file stays).
    void removeEntry(const QString& displayName);

    QString pageUrl() const;
    QString fileUrl(const QString& name) const;
    QByteArray page() const;
    static QByteArray generatedBytes(qint64 offset, int length);
    int requestCount() const { return requests; }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Entry
    {
        QString name;
        QString href; // empty: the link of file
        QString file;
        QString date;
    };
    struct File
    {
        QByteArray bytes;
        qint64 generatedSize = -1;
        qint64 size() const { return generatedSize >= 0 ? generatedSize : bytes.size(); }
    };
    friend class DownloadConnection;

    QString baseUrl() const;

    bool tls = false;
    QSslCertificate certificate;
    QSslKey key;
    Misbehaviour fault = Behave;
    QList<Entry> entries;
    QMap<QString, File> files;
    int requests = 0;
};
