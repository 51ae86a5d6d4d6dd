#pragma once

#include "link/devicetextdecoder.h"
#include "linesplit/linesplitter.h"

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

// Whether a line was cut for its length: a piece of the longest length without a line feed.
inline bool isCutLine(const QByteArray& line)
{
    return line.size() >= LineSplitter::MaxLineBytes && !line.endsWith('\n');
}

// Whether a line is what had come of a line when the instrument fell silent or the run stopped:
// shorter than a cut piece and without a line feed.
inline bool isIncompleteLine(const QByteArray& line)
{
    return !line.isEmpty() && line.size() < LineSplitter::MaxLineBytes && !line.endsWith('\n');
}

// One line as the monitor's view, its log file and zq-cli show it, on one line without its
// terminator: the stamp "[time][count] : " (left out when timeText is empty, which only the text
// form allows), then the text as sent, the hex, or both as in displayLine. A line cut for its
// length, or shown unfinished, ends with a mark that says so.
QString shownLine(const QByteArray& line, DisplayForm form, const QString& timeText, const DeviceTextDecoder& decoder);
