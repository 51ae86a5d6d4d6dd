#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

class QIODevice;

// Identity values whose rows the tree hides: a value alone lists itself (key X, set {X}); a line
// "name,model" lists the model under the device name (key name, set {model}).
using SkipMap = QMap<QString, QSet<QString>>;

// Removes every blank (U+0020) anywhere in the text, then trims white space at both ends, so that
// "X Y Z" in the file and " XYZ " from the instrument meet.
QString stripSpaces(const QString& text);

// Reads the lines of a SkipItems file; an unreadable file gives an empty map.
SkipMap readSkipItems(const QString& path);
SkipMap readSkipItems(QIODevice& file);

// A "设备名称" row held back until the "设备型号" row after it says whether the pair is hidden.
struct HeldRow
{
    bool present = false;
    int index = 0;
    QStringList fields;
};

// The SkipItems rules for one row. Returns true when the row must not be added now. When a held
// name row must be shown before this row, it is moved into released (and no longer held).
bool skipRow(const SkipMap& skipMap, int index, const QStringList& fields, HeldRow& pending, HeldRow& released);
