#include "monitor/displayform.h"

#include "link/frames.h"

QString displayStamp(const QDateTime& receivedAt, int byteCount)
{
    return QStringLiteral("%1[%2] : ")
        .arg(receivedAt.toString(QStringLiteral("[yyyy-MM-dd hh:mm:ss.zzz]")))
        .arg(byteCount);
}

QString displayLine(const QByteArray& line, DisplayForm form, const QDateTime& receivedAt)
{
    switch (form) {
    case DisplayForm::Original:
        return decodeDeviceText(line);
    case DisplayForm::Hex:
        return displayStamp(receivedAt, line.size()) + QString::fromLatin1(hexDump(line)) + QStringLiteral("\r\n");
    case DisplayForm::OriginalHex: {
        QString text = decodeDeviceText(line).trimmed();
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return displayStamp(receivedAt, line.size()) + text + QStringLiteral(" ( ") + QString::fromLatin1(hexDump(line))
               + QStringLiteral(" )\r\n");
    }
    }
    return QString();
}
