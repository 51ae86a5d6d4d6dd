#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The instrument's end of a serial line: a pseudo-terminal whose slave a serial port client opens.
// The master is raw and non-blocking; output that nobody reads is dropped once the line is full,
// except what goes through enqueue(), which waits here until the line takes it. The slave stays
// open here as well, so that a client closing it never hangs the line up.
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

    // Writes what the line takes now; returns the number of bytes written. Behind queued bytes,
    // bytes join the queue, so that the line carries everything in the order it was given.
    qint64 write(const QByteArray& bytes);
    // Keeps what the line does not take now and writes it as the reader makes room (a fast
    // stream that must lose nothing). Beyond MaxQueuedBytes the rest is dropped; returns the
    // number of bytes taken.
    qint64 enqueue(const QByteArray& bytes);
    int queuedBytes() const { return queue.size(); }
    static constexpr int MaxQueuedBytes = 1 << 20;

signals:
    void received(const QByteArray& bytes);

private:
    void readMaster();
    void writeQueue();
    qint64 writeNow(const char* data, qint64 size);
    void close();

    int masterFd = -1;
    int slaveFd = -1;
    QSocketNotifier* notifier = nullptr;
    QSocketNotifier* writable = nullptr;
    QByteArray queue;
    QString slave;
    QString link;
    QString error;
};
