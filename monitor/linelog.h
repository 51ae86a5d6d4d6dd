#pragma once

#include <QFile>
#include <QString>
#include <QTimer>

// The monitor's log file: every line as the view shows it, with its stamp, one per line in UTF-8.
// Written as the lines come (also while the view is paused) and flushed at least once a second,
// so that a long run loses at most the last second when the machine stops.
class LineLog : public QObject
{
    Q_OBJECT
public:
    static constexpr int FlushMs = 1000;

    LineLog();
    ~LineLog() override;

    // Opens path for appending; false leaves the reason in errorText().
    bool open(const QString& path);
    void close();
    bool isOpen() const { return file.isOpen(); }
    QString fileName() const { return file.fileName(); }
    QString errorText() const { return error; }
    qint64 linesWritten() const { return written; }

    void write(const QString& line);

signals:
    // Writing failed (disk full, the drive gone); the log is closed.
    void failed(const QString& error);

private:
    void flush();

    QFile file;
    QByteArray buffer;
    QTimer flushTimer;
    QString error;
    qint64 written = 0;
};
