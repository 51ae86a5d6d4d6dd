#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTimer>

// One direction of a serial line at a given rate (8N1: ten bits a byte): bytes pushed in come
// out once the line would have carried them, in order. At rate 0 they come out at once.
class LinePacer : public QObject
{
    Q_OBJECT
public:
    explicit LinePacer(QObject* parent = nullptr);

    void push(const QByteArray& bytes, int baud);

signals:
    void released(const QByteArray& bytes);

private:
    void releaseDue();

    QElapsedTimer clock;
    qint64 lineFreeNs = 0; // when the line has carried everything pushed so far
    QList<QPair<qint64, QByteArray>> queue;
    QTimer timer;
};
