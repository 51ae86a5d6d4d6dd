#include "monitor/displayform.h"

#include "link/devicetext.h"
#include "link/hexdump.h"

#include <QCoreApplication>

namespace {

QString timeText(const QDateTime& at)
{
    return at.toString(QStringLiteral("[yyyy-MM-dd hh:mm:ss.zzz]"));
}

QString stamp(const QString& time, int byteCount)
{
    return time + QLatin1Char('[') + QString::number(byteCount) + QStringLiteral("] : ");
}

QString withoutTerminator(QString text)
{
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

} // namespace

QString StampClock::now()
{
    return at(QDateTime::currentMSecsSinceEpoch());
}

QString StampClock::at(qint64 msecsSinceEpoch)
{
    const qint64 thisSecond = msecsSinceEpoch / 1000;
    if (thisSecond != second) {
        second = thisSecond;
        prefix = QDateTime::fromMSecsSinceEpoch(thisSecond * 1000).toString(QStringLiteral("[yyyy-MM-dd hh:mm:ss."));
    }
    return prefix + QStringLiteral("%1]").arg(int(msecsSinceEpoch % 1000), 3, 10, QLatin1Char('0'));
}

QString displayStamp(const QDateTime& receivedAt, int byteCount)
{
    return stamp(timeText(receivedAt), byteCount);
}

QString displayLine(const QByteArray& line, DisplayForm form, const QDateTime& receivedAt)
{
    return displayLine(line, form, form == DisplayForm::Original ? QString() : timeText(receivedAt));
}

QString displayLine(const QByteArray& line, DisplayForm form, const QString& time)
{
    switch (form) {
    case DisplayForm::Original:
        return decodeDeviceText(line);
    case DisplayForm::Hex:
        return stamp(time, line.size()) + QString::fromLatin1(hexDump(line)) + QStringLiteral("\r\n");
    case DisplayForm::OriginalHex: {
        QString text = decodeDeviceText(line).trimmed();
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return stamp(time, line.size()) + text + QStringLiteral(" ( ") + QString::fromLatin1(hexDump(line))
            + QStringLiteral(" )\r\n");
    }
    }
    return QString();
}

QString shownLine(const QByteArray& line, DisplayForm form, const QString& timeText, const DeviceTextDecoder& decoder)
{
    QString shown;
    switch (form) {
    case DisplayForm::Original:
        shown = withoutTerminator(decoder.decode(line));
        if (!timeText.isEmpty())
            shown.prepend(stamp(timeText, line.size()));
        break;
    case DisplayForm::Hex:
        shown = stamp(timeText, line.size()) + QString::fromLatin1(hexDump(line));
        break;
    case DisplayForm::OriginalHex: {
        QString text = decoder.decode(line).trimmed();
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        shown = stamp(timeText, line.size()) + text + QStringLiteral(" ( ") + QString::fromLatin1(hexDump(line))
            + QStringLiteral(" )");
        break;
    }
    }
    if (isCutLine(line))
        shown += QLatin1Char(' ') + QCoreApplication::translate("DisplayForm", "[行过长, 在此截断]");
    else if (isIncompleteLine(line))
        shown += QLatin1Char(' ') + QCoreApplication::translate("DisplayForm", "[行不完整]");
    return shown;
}
