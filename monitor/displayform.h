#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// How the monitor shows a received line: the text as sent, its bytes in hexadecimal, or both.
enum class DisplayForm { Original, Hex, OriginalHex };

// "[yyyy-MM-dd hh:mm:ss.zzz][byteCount] : "
QString displayStamp(const QDateTime& receivedAt, int byteCount);

// The local time of each line, cheaply: the date and time text is made once a second and only
// the milliseconds per line (asking the system for the local time costs more than the line).
class StampClock
{
public:
    // "[yyyy-MM-dd hh:mm:ss.zzz]" for now.
    QString now();
    QString at(qint64 msecsSinceEpoch);

private:
    qint64 second = -1;
    QString prefix; // "[yyyy-MM-dd hh:mm:ss."
};

// One line ready for the text box. Original: the decoded text as it is. Hex: stamp, the bytes as
// "41 42 " and CR LF. OriginalHex: stamp, the text trimmed with its inner line breaks as blanks so it
// stays on one display line, " ( ", the hex, " )" and CR LF.
QString displayLine(const QByteArray& line, DisplayForm form, const QDateTime& receivedAt);
// The same with the time already as "[yyyy-MM-dd hh:mm:ss.zzz]".
QString displayLine(const QByteArray& line, DisplayForm form, const QString& timeText);
