#include "sim/historygenerator.h"

#include "link/devicetext.h"
#include "sim/readings.h"

namespace {

double voltageAt(qint64 seconds)
{
    // A battery that sags slowly and recovers at midnight.
    return 3.65 - double(seconds % 86400) / 86400.0 * 0.35;
}

QString statusFor(double temperature, double voltage)
{
    if (temperature > 27.0)
        return QStringLiteral("超温报警");
    if (voltage < 3.35)
        return QStringLiteral("电压低");
    return QStringLiteral("正常");
}

} // namespace

HistoryGenerator::HistoryGenerator(const QDate& start, const QDate& end, int count, const QByteArray& tail)
    : tail(tail)
{
    if (!start.isValid() || !end.isValid() || end < start || count <= 0)
        return;
    total = count;
    // At the zone's offset of the first day: a local time would look the zone up (a file read)
    // for every record.
    const QDateTime local(start, QTime(0, 0));
    first = local.toOffsetFromUtc(local.offsetFromUtc());
    const qint64 rangeSeconds = (start.daysTo(end) + 1) * 86400;
    stepSeconds = qMax<qint64>(1, rangeSeconds / count);
}

QString HistoryGenerator::header()
{
    return QStringLiteral("记录时间 温度(℃) 湿度(%RH) 电压(V) 状态\r\n");
}

QString HistoryGenerator::record(int index) const
{
    const QDateTime at = first.addSecs(qint64(index) * stepSeconds);
    const qint64 seconds = at.toSecsSinceEpoch();
    const double temperature = temperatureAt(seconds, 4.5);
    const double voltage = voltageAt(seconds);
    return QStringLiteral("%1 %2,%3,%4,%5\r\n")
        .arg(at.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))
        .arg(temperature, 0, 'f', 1)
        .arg(humidityAt(seconds), 0, 'f', 1)
        .arg(voltage, 0, 'f', 2)
        .arg(statusFor(temperature, voltage));
}

QByteArray HistoryGenerator::next(int maxBytes)
{
    if (!headerSent) {
        pending += encodeDeviceText(header());
        headerSent = true;
    }
    while (pending.size() < maxBytes && produced < total)
        pending += encodeDeviceText(record(produced++));
    if (produced == total && pending.size() < maxBytes) {
        pending += tail;
        tail.clear();
    }
    const QByteArray chunk = pending.left(maxBytes);
    pending.remove(0, chunk.size());
    return chunk;
}
