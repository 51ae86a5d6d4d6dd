#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

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

    // Writes what the line takes now; returns the number of bytes written.
    qint64 write(const QByteArray& bytes);

signals:
    void received(const QByteArray& bytes);

private:
    void readMaster();
    void close();

    int masterFd = -1;
    int slaveFd = -1;
    QSocketNotifier* notifier = nullptr;
    QString slave;
    QString link;
    QString error;
};
