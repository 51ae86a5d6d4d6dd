#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The configuration items of the simulated instrument and the rules it applies to a write.
// Line syntax (items file and setItems):
//   name:value   a valued item; the value is everything after the first ':' and may hold more
//   name         a confirm-only item (an action)
//   !name:value  a read-only item: a write is answered with the text unchanged
//   # ...        a comment; blank lines are skipped too
// A name of the form label(a/b/c) is an enumeration: only a listed option is taken.
// The clock item (ClockItemName) is always read-only; the simulator keeps its value.
class ItemStore
{
public:
    static const QString ClockItemName; // "设备时间"
    static const QString ModelItemName; // "设备型号"
    static const QString NameItemName;  // "设备名称"
    static const QString VersionItemName; // "固件版本"

    struct Item
    {
        QString name;
        QString value;
        QByteArray valueBytes; // the value as written to the instrument, byte for byte
        bool valued = false;
        bool readOnly = false;
        QString text() const { return valued ? name + QLatin1Char(':') + value : name; }
    };

    // False for a comment or a blank line.
    static bool parseLine(const QString& line, Item* item);
    // The options of an enumeration name, empty for any other name.
    static QStringList options(const QString& name);

    void setLines(const QStringList& lines);
    bool load(const QString& path, QString* error);

    int size() const { return items.size(); }
    QStringList texts() const;
    // The item's text as sent to the assistant; a null string past the end of the list.
    QString text(int index) const;
    // The item's text as it goes on the wire: the name in the device encoding, the value as
    // written (like a real instrument, which keeps the bytes it was sent); empty past the end.
    QByteArray bytes(int index) const;
    // Applies a write of the value's bytes and returns the item's bytes as now held.
    QByteArray write(int index, const QByteArray& valueBytes);
    // Sets an item's value to these bytes, whatever they decode to (tests of odd encodings).
    void setValueBytes(int index, const QByteArray& valueBytes);

    // The value of the first item with this name (null when there is none).
    QString value(const QString& name) const;
    void setValue(const QString& name, const QString& value);

private:
    QList<Item> items;
};
