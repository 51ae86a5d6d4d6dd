#include "firmware/firmwareversion.h"

#include <QRegularExpression>
#include <QStringList>
#include <QVector>

namespace FirmwareVersion {
namespace {

struct Parsed
{
    QVector<qulonglong> numbers;
    QString suffix; // what follows the numbers, lower case, without leading separators
    bool valid() const { return !numbers.isEmpty(); }
};

// The longest run of numbers any version carries; more is garbage, not a version.
constexpr int MaxParts = 8;

Parsed parse(const QString& text)
{
    // The numbers start at the first digit ("V", "Ver ", "固件 " before them say nothing); they
    // are joined by dots.
    static const QRegularExpression numbers(QStringLiteral("(\\d{1,18})((?:\\.\\d{1,18}){0,%1})").arg(MaxParts - 1));
    Parsed parsed;
    const QRegularExpressionMatch match = numbers.match(text);
    if (!match.hasMatch())
        return parsed;
    for (const QString& part : match.captured(0).split(QLatin1Char('.')))
        parsed.numbers.append(part.toULongLong());
    static const QRegularExpression separators(QStringLiteral("^[\\s._\\-+/()]+"));
    parsed.suffix = text.mid(match.capturedEnd()).trimmed().remove(separators).toLower();
    return parsed;
}

bool isPreRelease(const QString& suffix)
{
    static const QRegularExpression words(QStringLiteral("^(alpha|beta|rc|pre|dev|test|snapshot|测试|预览)"));
    return words.match(suffix).hasMatch();
}

// Digit runs by their value, the rest as text: "beta10" after "beta9".
int compareNatural(const QString& a, const QString& b)
{
    static const QRegularExpression pieces(QStringLiteral("\\d+|\\D+"));
    auto left = pieces.globalMatch(a);
    auto right = pieces.globalMatch(b);
    while (left.hasNext() && right.hasNext()) {
        const QString x = left.next().captured(0);
        const QString y = right.next().captured(0);
        const bool numbers = x.at(0).isDigit() && y.at(0).isDigit();
        const int order =
            numbers ? (x.toULongLong() < y.toULongLong() ? -1 : x.toULongLong() > y.toULongLong()) : x.compare(y);
        if (order != 0)
            return order < 0 ? -1 : 1;
    }
    return left.hasNext() ? 1 : right.hasNext() ? -1 : 0;
}

int compareSuffixes(const QString& a, const QString& b)
{
    if (a == b)
        return 0;
    // The plain release sits between its pre-releases and its patched builds.
    const auto rank = [](const QString& suffix) { return suffix.isEmpty() ? 0 : isPreRelease(suffix) ? -1 : 1; };
    if (rank(a) != rank(b))
        return rank(a) < rank(b) ? -1 : 1;
    return compareNatural(a, b);
}

} // namespace

Order compare(const QString& package, const QString& instrument)
{
    const Parsed mine = parse(package);
    const Parsed theirs = parse(instrument);
    if (!mine.valid() || !theirs.valid())
        return Order::Unknown;
    // Missing parts count as 0: 2.1 is 2.1.0.
    const int parts = qMax(mine.numbers.size(), theirs.numbers.size());
    for (int i = 0; i < parts; ++i) {
        const qulonglong a = mine.numbers.value(i);
        const qulonglong b = theirs.numbers.value(i);
        if (a != b)
            return a > b ? Order::Newer : Order::Older;
    }
    const int suffix = compareSuffixes(mine.suffix, theirs.suffix);
    return suffix > 0 ? Order::Newer : suffix < 0 ? Order::Older : Order::Same;
}

QString foundIn(const QString& text)
{
    // A V before the numbers, or numbers with at least one dot: "V2", "2.1.7", not "200".
    static const QRegularExpression version(QStringLiteral(
        "(?<![A-Za-z0-9.])(?:[Vv]\\d+(?:\\.\\d+)*|\\d+(?:\\.\\d+)+)(?:[-_]?[A-Za-z]+\\d*)?(?![A-Za-z0-9]|\\.\\d)"));
    return version.match(text).captured(0);
}

bool namesModel(const QString& name, const QString& model)
{
    if (model.trimmed().isEmpty())
        return false;
    static const QRegularExpression words(QStringLiteral("[\\s_/,;()]+"));
    return name.split(words, Qt::SkipEmptyParts).contains(model.trimmed(), Qt::CaseInsensitive);
}

QString newestFor(const QMap<QString, QString>& versions, const QString& model)
{
    QString newest;
    for (auto it = versions.cbegin(); it != versions.cend(); ++it) {
        if (!namesModel(it.key(), model) || it.value().isEmpty())
            continue;
        if (newest.isEmpty() || compare(it.value(), versions.value(newest)) == Order::Newer)
            newest = it.key();
    }
    return newest;
}

bool isVersionRow(const QString& name)
{
    const QString trimmed = name.trimmed();
    static const QStringList names{QStringLiteral("固件版本"), QStringLiteral("软件版本"), QStringLiteral("程序版本"),
                                   QStringLiteral("版本"), QStringLiteral("版本号")};
    return names.contains(trimmed) || trimmed.compare(QLatin1String("firmware version"), Qt::CaseInsensitive) == 0
        || trimmed.compare(QLatin1String("version"), Qt::CaseInsensitive) == 0;
}

} // namespace FirmwareVersion
