#include "config/writelog.h"

#include "settings/config.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr int Fields = 7;
// A line longer than this is not one the log wrote: names and values are at most 254 bytes each.
constexpr int LongestLine = 4096;
constexpr qint64 LongestTail = qint64(8) << 20;

const char* resultWord(WriteResult result)
{
    switch (result) {
    case WriteResult::Written:
        return "written";
    case WriteResult::Refused:
        return "refused";
    case WriteResult::Failed:
        return "failed";
    }
    return "failed";
}

bool resultOf(const QString& word, WriteResult* result)
{
    for (WriteResult known : {WriteResult::Written, WriteResult::Refused, WriteResult::Failed}) {
        if (word == QLatin1String(resultWord(known))) {
            *result = known;
            return true;
        }
    }
    return false;
}

// A field quoted as CSV does when it needs it; line breaks become blanks, one line per item.
QString field(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

bool splitLine(const QString& line, QStringList* fields)
{
    QString current;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c != QLatin1Char('"'))
                current += c;
            else if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"'))
                current += line.at(++i);
            else
                quoted = false;
        } else if (c == QLatin1Char('"') && current.isEmpty()) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields->append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    fields->append(current);
    return !quoted;
}

} // namespace

QString WriteLog::defaultPath()
{
    const QString ini = Config().settings()->fileName();
    return QFileInfo(ini).absolutePath() + QStringLiteral("/writelog.csv");
}

bool WriteLog::append(const WriteLogLine& line) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QStringList fields{
        line.time.toString(TimeFormat), field(line.instrument), QString::number(line.index),           field(line.item),
        field(line.oldValue),           field(line.newValue),   QLatin1String(resultWord(line.result))};
    const QByteArray bytes = (fields.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
    // One write per line, handed to the system at once: a killed process leaves every line it wrote.
    return file.write(bytes) == bytes.size() && file.flush();
}

QVector<WriteLogLine> WriteLog::newestFirst(int limit) const
{
    QVector<WriteLogLine> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const qint64 from = qMax<qint64>(0, file.size() - LongestTail);
    file.seek(from);
    QList<QByteArray> raw = file.readAll().split('\n');
    if (from > 0 && !raw.isEmpty())
        raw.removeFirst(); // begun in the middle of a line
    for (int i = raw.size() - 1; i >= 0 && lines.size() < limit; --i) {
        const QByteArray bytes = raw.at(i).trimmed();
        if (bytes.isEmpty() || bytes.size() > LongestLine)
            continue;
        QStringList fields;
        WriteLogLine line;
        bool numbered = false;
        if (!splitLine(QString::fromUtf8(bytes), &fields) || fields.size() != Fields)
            continue;
        line.time = QDateTime::fromString(fields.at(0), TimeFormat);
        line.index = fields.at(2).toInt(&numbered);
        if (!line.time.isValid() || !numbered || !resultOf(fields.at(6), &line.result))
            continue;
        line.instrument = fields.at(1);
        line.item = fields.at(3);
        line.oldValue = fields.at(4);
        line.newValue = fields.at(5);
        lines.append(line);
    }
    return lines;
}

WriteLogger::WriteLogger(const WriteLog& log, QString instrument, QHash<int, QString> oldValues)
    : log(log), instrument(std::move(instrument)), oldValues(std::move(oldValues))
{ }

void WriteLogger::add(const ConfigRow& row, const QString& value, WriteResult result)
{
    log.append(
        {QDateTime::currentDateTime(), instrument, row.index, row.name, oldValues.value(row.index), value, result});
}

ConfigWriter::Progress WriteLogger::around(const ConfigRows& rows, const ConfigWriter::Progress& next)
{
    ConfigWriter::Progress progress;
    progress.starting = [this, next](int at) {
        lastStarted = at;
        if (next.starting)
            next.starting(at);
    };
    progress.answered = [this, next, &rows](int at, const ItemWriteOutcome& outcome) {
        lastAnswered = at;
        add(rows.at(at), rows.at(at).value, outcome.kept ? WriteResult::Written : WriteResult::Refused);
        if (next.answered)
            next.answered(at, outcome);
    };
    return progress;
}

void WriteLogger::ended(const ConfigRows& rows, const ConfigOutcome& outcome)
{
    if (outcome.ok || outcome.cancelled || lastStarted < 0 || lastStarted == lastAnswered || lastStarted >= rows.size())
        return;
    add(rows.at(lastStarted), rows.at(lastStarted).value, WriteResult::Failed);
}

void WriteLogger::one(const ConfigRow& row, const QString& value, const ItemWriteOutcome& outcome)
{
    const WriteResult result =
        !outcome.ok ? WriteResult::Failed : (outcome.kept ? WriteResult::Written : WriteResult::Refused);
    add(row, value, result);
}
