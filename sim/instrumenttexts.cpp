#include "sim/instrumenttexts.h"

#include "sim/readings.h"

QString historyRecords(const QDate& start, const QDate& end, int recordsPerDay)
{
    QString text = QStringLiteral("日期 时间 温度(℃) 湿度(%RH) 电压(V)\r\n");
    if (!start.isValid() || !end.isValid() || end < start || recordsPerDay < 1)
        return text;
    const int step = qMax(1, 86400 / recordsPerDay);
    int written = 0;
    for (QDate day = start; day <= end && written < MaxHistoryRecords; day = day.addDays(1)) {
        for (int i = 0; i < recordsPerDay && written < MaxHistoryRecords; ++i, ++written) {
            const QDateTime at(day, QTime(0, 0).addSecs(i * step));
            const qint64 seconds = at.toSecsSinceEpoch();
            text += QStringLiteral("%1 %2 %3 %4\r\n")
                        .arg(at.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))
                        .arg(temperatureAt(seconds, 4.0), 0, 'f', 1)
                        .arg(humidityAt(seconds), 0, 'f', 1)
                        .arg(3.6 - double(i % 5) * 0.01, 0, 'f', 2);
        }
    }
    return text;
}

QString debugLine(const QDateTime& at, int sequence)
{
    const qint64 seconds = at.toSecsSinceEpoch();
    const QString head = QStringLiteral("[DBG %1] %2 ")
                             .arg(sequence, 5, 10, QLatin1Char('0'))
                             .arg(at.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")));
    switch ((sequence - 1) % 4) {
    case 0:
        return head + QStringLiteral("采样 温度=%1℃ 湿度=%2%RH 电压=%3V\r\n")
                          .arg(temperatureAt(seconds, 4.0), 0, 'f', 1)
                          .arg(humidityAt(seconds), 0, 'f', 1)
                          .arg(3.6 - double(sequence % 5) * 0.01, 0, 'f', 2);
    case 1:
        return head + QStringLiteral("网络 链路正常 信号强度=%1dBm 重发=%2\r\n")
                          .arg(-60 - sequence % 17)
                          .arg(sequence % 7 == 0 ? 1 : 0);
    case 2:
        return head + QStringLiteral("存储 第%1条记录已写入 剩余空间=%2%\r\n")
                          .arg(sequence / 4 + 1)
                          .arg(99 - sequence / 4 % 90);
    default:
        return head + QStringLiteral("报警 温度上限=40.0℃ 湿度上限=90.0%RH 状态=%1\r\n")
                          .arg(temperatureAt(seconds, 4.0) > 40.0 ? QStringLiteral("超限") : QStringLiteral("正常"));
    }
}
