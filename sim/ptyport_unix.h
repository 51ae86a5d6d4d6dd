#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTimer;

// The instrument's end of a serial line: a pseudo-terminal whose slave a serial port client opens.
// The master is raw and non-blocking; output that nobody reads is dropped once the line is full.
// The slave stays open here as well, so that a client closing it never hangs the line up.
class PtyPort : public QObject
{
    Q_OBJECT
public:
    explicit PtyPort(QObject* parent = nullptr);
    ~PtyPort() override;

    // Creates the pseudo-terminal; linkPath, when given, becomes a symbolic link to the slave
    // (an existing symbolic link there is replaced). False leaves the reason in errorString().
    bool open(const QString& linkPath = QString());
    bool isOpen() const { return masterFd >= 0; }
    QString slavePath() const { return slave; }
    QString linkPath() const { return link; }
    QString errorString() const { return error; }

    // Writes what the line takes now; returns the number of bytes written. Paced, every byte is
    // taken and leaves when the line would have carried it.
    qint64 write(const QByteArray& bytes);

    // Paces both directions like a serial line at this many bits per second, ten bits per byte
    // (start, eight data, stop); 0, the default, passes bytes on at once.
    void setBaudRate(int bitsPerSecond);
    int baudRate() const { return baud; }

signals:
    void received(const QByteArray& bytes);

private:
    // One direction of a paced line: bytes waiting, and when the first of them began to travel.
    struct Lane
    {
        QByteArray queue;
        QElapsedTimer since;
        qint64 released = 0;
    };

    void readMaster();
    void close();
    qint64 writeNow(const QByteArray& bytes);
    void enqueue(Lane& lane, const QByteArray& bytes);
    QByteArray due(Lane& lane);
    void releaseDue();

    int baud = 0;
    Lane outgoing;
    Lane incoming;
    QTimer* pacer = nullptr;

    int masterFd = -1;
    int slaveFd = -1;
    QSocketNotifier* notifier = nullptr;
    QString slave;
    QString link;
    QString error;
};
