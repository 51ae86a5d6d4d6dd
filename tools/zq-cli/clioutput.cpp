#include "tools/zq-cli/clioutput.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
QMutex writeMutex;
// A progress bar is on the terminal's current line, without its line end (guarded by writeMutex).
bool barOpen = false;

void closeBarLine()
{
    if (!barOpen)
        return;
    std::fputc('\n', stderr);
    std::fflush(stderr);
    barOpen = false;
}

void write(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    QMutexLocker locker(&writeMutex);
    // A line written now must not land behind the bar; the bar is drawn again below it.
    closeBarLine();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}
} // namespace

QString CliOutput::visible(const QString& text)
{
    const auto hidden = [](ushort c) {
        const bool control = (c < 0x20 && c != '\t' && c != '\n') || (c >= 0x7F && c <= 0x9F);
        const bool bidi = (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
        return control || bidi;
    };
    if (std::none_of(text.cbegin(), text.cend(), [&](QChar c) { return hidden(c.unicode()); }))
        return text;
    QString shown;
    shown.reserve(text.size() + 16);
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (!hidden(code))
            shown += c;
        else if (code <= 0xFF)
            shown += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u%1").arg(code, 4, 16, QLatin1Char('0'));
    }
    return shown;
}

void CliOutput::line(const QString& text)
{
    write(stdout, visible(text));
}

void CliOutput::error(const QString& text)
{
    write(stderr, visible(text));
}

void CliOutput::json(const QJsonObject& object)
{
    write(stdout, QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

bool CliOutput::stderrIsTerminal()
{
    return isatty(fileno(stderr)) != 0;
}

void CliOutput::result(const LinkTarget& target, const InstrumentResult& result, bool json, bool several)
{
    const QString prefix = several ? target.label + QStringLiteral(": ") : QString();
    for (const QString& text : result.errors)
        error(prefix + text);
    if (json) {
        QJsonObject object = result.json;
        object.insert(QStringLiteral("instrument"), target.label);
        object.insert(QStringLiteral("ok"), result.code == ExitOk);
        object.insert(QStringLiteral("exit"), int(result.code));
        if (!result.errors.isEmpty())
            object.insert(QStringLiteral("errors"), QJsonArray::fromStringList(result.errors));
        CliOutput::json(object);
        return;
    }
    for (const QString& text : result.lines)
        line(prefix + text);
    if (several)
        line(prefix + (result.code == ExitOk ? tr("成功") : tr("失败 (退出码 %1)").arg(int(result.code))));
}

ProgressDisplay::ProgressDisplay(bool terminal) : terminal(terminal)
{ }

ProgressDisplay::~ProgressDisplay()
{
    finish();
}

void ProgressDisplay::update(const QString& label, int percent, const QString& note)
{
    QMutexLocker locker(&mutex);
    if (percents.contains(label) && percents.value(label) == percent && notes.value(label) == note)
        return;
    percents.insert(label, percent);
    notes.insert(label, note);
    if (terminal) {
        draw();
        return;
    }
    QString line = QStringLiteral("%1 %2%").arg(label).arg(percent);
    if (!note.isEmpty())
        line += QStringLiteral("  ") + note;
    write(stderr, line);
}

void ProgressDisplay::draw()
{
    constexpr int Width = 20;
    QString text = QStringLiteral("\r");
    for (auto it = percents.constBegin(); it != percents.constEnd(); ++it) {
        const int filled = qBound(0, it.value(), 100) * Width / 100;
        text += QStringLiteral("%1 [%2%3] %4%  ")
                    .arg(it.key(), QString(filled, QLatin1Char('#')), QString(Width - filled, QLatin1Char(' ')))
                    .arg(it.value(), 3);
        if (!notes.value(it.key()).isEmpty())
            text += notes.value(it.key()) + QStringLiteral("  ");
    }
    const QByteArray bytes = text.toUtf8();
    QMutexLocker locker(&writeMutex);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    barOpen = true;
}

void ProgressDisplay::finish()
{
    QMutexLocker locker(&mutex);
    QMutexLocker writing(&writeMutex);
    closeBarLine();
}
