#include "sim/itemstore.h"

#include "link/devicetext.h"

#include <QFile>
#include <QRegExp>
#include <QTextStream>

const QString ItemStore::ClockItemName = QStringLiteral("设备时间");
const QString ItemStore::ModelItemName = QStringLiteral("设备型号");
const QString ItemStore::VersionItemName = QStringLiteral("固件版本");
const QString ItemStore::NameItemName = QStringLiteral("设备名称");

bool ItemStore::parseLine(const QString& line, Item* item)
{
    QString text = line;
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    if (text.trimmed().isEmpty() || text.trimmed().startsWith(QLatin1Char('#')))
        return false;
    Item parsed;
    if (text.startsWith(QLatin1Char('!'))) {
        parsed.readOnly = true;
        text.remove(0, 1);
    }
    const int colon = text.indexOf(QLatin1Char(':'));
    parsed.valued = colon >= 0;
    parsed.name = parsed.valued ? text.left(colon) : text;
    parsed.value = parsed.valued ? text.mid(colon + 1) : QString();
    parsed.valueBytes = encodeDeviceText(parsed.value);
    if (parsed.name == ClockItemName)
        parsed.readOnly = true;
    *item = parsed;
    return true;
}

QStringList ItemStore::options(const QString& name)
{
    // The same form the assistant recognises: the last parenthesised list at the end of the name.
    QRegExp enumeration(QStringLiteral("(^.+)\\((([^/]+/)+[^/]+)\\)$"));
    if (!enumeration.exactMatch(name))
        return {};
    return enumeration.cap(2).split(QLatin1Char('/'));
}

void ItemStore::setLines(const QStringList& lines)
{
    items.clear();
    Item item;
    for (const QString& line : lines)
        if (parseLine(line, &item))
            items.append(item);
}

bool ItemStore::load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    QStringList lines;
    while (!stream.atEnd())
        lines.append(stream.readLine());
    setLines(lines);
    return true;
}

QStringList ItemStore::texts() const
{
    QStringList result;
    for (const Item& item : items)
        result.append(item.text());
    return result;
}

QString ItemStore::text(int index) const
{
    if (index < 0 || index >= items.size())
        return QString();
    return items.at(index).text();
}

QByteArray ItemStore::bytes(int index) const
{
    if (index < 0 || index >= items.size())
        return QByteArray();
    const Item& item = items.at(index);
    QByteArray text = encodeDeviceText(item.name);
    if (item.valued)
        text.append(':').append(item.valueBytes);
    return text;
}

QByteArray ItemStore::write(int index, const QByteArray& valueBytes)
{
    if (index < 0 || index >= items.size())
        return QByteArray();
    Item& item = items[index];
    if (!item.valued || item.readOnly)
        return bytes(index);
    const QString value = decodeDeviceText(valueBytes);
    const QStringList allowed = options(item.name);
    if (allowed.isEmpty() || allowed.contains(value)) {
        item.value = value;
        item.valueBytes = valueBytes;
    }
    return bytes(index);
}

void ItemStore::setValueBytes(int index, const QByteArray& valueBytes)
{
    if (index < 0 || index >= items.size())
        return;
    items[index].valued = true;
    items[index].value = decodeDeviceText(valueBytes);
    items[index].valueBytes = valueBytes;
}

QString ItemStore::value(const QString& name) const
{
    for (const Item& item : items)
        if (item.name == name)
            return item.value;
    return QString();
}

void ItemStore::setValue(const QString& name, const QString& value)
{
    for (Item& item : items) {
        if (item.name == name) {
            item.value = value;
            item.valueBytes = encodeDeviceText(value);
        }
    }
}
