#include "tools/zq-cli/clihelp.h"

#include <QStringList>

namespace {

// A terminal's usual width; every line of the help stays inside it.
const int LineWidth = 79;
// The names column never takes more than this; longer names put their text on the next line.
const int MaxNamesWidth = 32;

bool isWide(uint code)
{
    return (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF && code != 0x303F)
        || (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF)
        || (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60)
        || (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
}

int width(uint code)
{
    return isWide(code) ? 2 : 1;
}

QString blanks(int count)
{
    return QString(qMax(0, count), QLatin1Char(' '));
}

// Pieces that stay whole on a line: a run of narrow characters without blanks, a single wide
// character, or a run of blanks.
QStringList pieces(const QString& text)
{
    QStringList result;
    QString current;
    auto flush = [&] {
        if (!current.isEmpty())
            result.append(current);
        current.clear();
    };
    for (uint code : text.toUcs4()) {
        const QString character = QString::fromUcs4(&code, 1);
        if (isWide(code)) {
            flush();
            result.append(character);
        } else if (code == ' ') {
            if (!current.isEmpty() && current.back() != QLatin1Char(' '))
                flush();
            current += character;
        } else {
            if (!current.isEmpty() && current.back() == QLatin1Char(' '))
                flush();
            current += character;
        }
    }
    flush();
    return result;
}

void appendSection(QString& help, const QString& title, const QList<CliHelp::Entry>& entries)
{
    if (entries.isEmpty())
        return;
    int namesWidth = 0;
    for (const CliHelp::Entry& entry : entries)
        namesWidth = qMax(namesWidth, CliHelp::displayWidth(entry.names));
    namesWidth = qMin(namesWidth, MaxNamesWidth);
    // Two blanks before the names, two between names and text.
    const int column = 2 + namesWidth + 2;

    help += QLatin1Char('\n') + title + QLatin1Char('\n');
    for (const CliHelp::Entry& entry : entries) {
        QString line = QStringLiteral("  ") + entry.names;
        const QStringList lines = CliHelp::wrap(entry.text, LineWidth - column);
        if (CliHelp::displayWidth(entry.names) > namesWidth) {
            help += line + QLatin1Char('\n');
            line.clear();
        }
        for (const QString& text : lines) {
            help += text.isEmpty() ? line : line + blanks(column - CliHelp::displayWidth(line)) + text;
            help += QLatin1Char('\n');
            line.clear();
        }
    }
}

} // namespace

int CliHelp::displayWidth(const QString& text)
{
    int columns = 0;
    for (uint code : text.toUcs4())
        columns += width(code);
    return columns;
}

QStringList CliHelp::wrap(const QString& text, int maxWidth)
{
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& piece : pieces(paragraph)) {
            const bool blank = piece.startsWith(QLatin1Char(' '));
            if (!line.isEmpty() && displayWidth(line) + displayWidth(piece) > maxWidth && !blank) {
                lines.append(line.trimmed());
                line.clear();
            }
            if (line.isEmpty() && blank)
                continue;
            line += piece;
        }
        lines.append(line.trimmed());
    }
    return lines;
}

QString CliHelp::text(const QString& usageLine, const QString& description, const QList<Entry>& options,
                      const QList<Entry>& arguments)
{
    QString help = tr("用法: %1").arg(usageLine) + QLatin1Char('\n');
    for (const QString& line : wrap(description, LineWidth))
        help += line + QLatin1Char('\n');
    appendSection(help, tr("选项:"), options);
    appendSection(help, tr("参数:"), arguments);
    return help;
}
