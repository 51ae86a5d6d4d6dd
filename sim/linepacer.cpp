#include "sim/linepacer.h"

LinePacer::LinePacer(QObject* parent) : QObject(parent)
{
    clock.start();
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &LinePacer::releaseDue);
}

void LinePacer::push(const QByteArray& bytes, int baud)
{
    if (baud <= 0 && queue.isEmpty()) {
        emit released(bytes);
        return;
    }
    const qint64 now = clock.nsecsElapsed();
    const qint64 transmitNs = baud > 0 ? qint64(bytes.size()) * 10 * 1000000000LL / baud : 0;
    lineFreeNs = qMax(lineFreeNs, now) + transmitNs;
    queue.append(qMakePair(lineFreeNs, bytes));
    releaseDue();
}

void LinePacer::releaseDue()
{
    const qint64 now = clock.nsecsElapsed();
    while (!queue.isEmpty() && queue.first().first <= now)
        emit released(queue.takeFirst().second);
    if (!queue.isEmpty() && !timer.isActive()) {
        const qint64 waitNs = queue.first().first - now;
        timer.start(int((waitNs + 999999) / 1000000));
    }
}
