#include "config/skipitems.h"

#include <QFile>

namespace {
const QString deviceName = QStringLiteral("设备名称");
const QString deviceModel = QStringLiteral("设备型号");
} // namespace

QString stripSpaces(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char(' '));
    return result.trimmed();
}

SkipMap readSkipItems(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readSkipItems(file);
}

SkipMap readSkipItems(QIODevice& file)
{
    SkipMap map;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        const int nul = line.indexOf('\0');
        if (nul >= 0)
            line.truncate(nul);
        const QStringList parts = QString::fromUtf8(line).split(QLatin1Char(','));
        const QString key = stripSpaces(parts.at(0));
        // A blank line would otherwise hide every row whose value is empty.
        if (key.isEmpty())
            continue;
        map[key].insert(parts.size() >= 2 ? stripSpaces(parts.at(1)) : key);
    }
    return map;
}

bool skipRow(const SkipMap& skipMap, int index, const QStringList& fields, HeldRow& pending, HeldRow& released)
{
    released = HeldRow();
    if (fields.size() < 2)
        return false;
    const QString& name = fields.at(0);
    const QString value = stripSpaces(fields.at(1));

    if (name == deviceName) {
        if (!skipMap.contains(value))
            return false;
        pending.present = true;
        pending.index = index;
        pending.fields = fields;
        return true;
    }
    if (name == deviceModel) {
        if (!pending.present)
            return skipMap.contains(value);
        const QString key = stripSpaces(pending.fields.value(1));
        const bool hidden = skipMap.value(key).contains(value);
        if (!hidden)
            released = pending;
        pending = HeldRow();
        return hidden;
    }
    if (name.compare(QLatin1String("model"), Qt::CaseInsensitive) == 0)
        return skipMap.contains(value);
    return false;
}
