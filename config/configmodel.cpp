#include "config/configmodel.h"

#include "config/configwriter.h"
#include "config/itemtext.h"
#include "config/readonlyitems.h"
#include "config/rowtext.h"

ConfigModel::ConfigModel(QObject* parent) : QAbstractTableModel(parent)
{ }

int ConfigModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : items.size();
}

int ConfigModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ConfigModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= items.size())
        return QVariant();
    const ConfigItem& item = items.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? numberedName(index.row() + 1, item.row.name) : valueText(item.row);
    case IndexRole:
        return item.row.index;
    case ReadValueRole:
        if (!item.hasReadValue)
            return QVariant();
        return item.readValued ? QStringLiteral(": ") + item.readValue : QString();
    case RefusedRole:
        return item.refused;
    case ChangedRole:
        return item.isChanged();
    case ActionRole:
        return !item.row.valued;
    case ReadOnlyRole:
        return int(readOnlyItem(item.row.name));
    default:
        return QVariant();
    }
}

Qt::ItemFlags ConfigModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && isEditable(index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ConfigModel::isEditable(int row) const
{
    return row >= 0 && row < items.size() && readOnlyItem(items.at(row).row.name) == ReadOnlyItem::None;
}

void ConfigModel::clear()
{
    beginResetModel();
    items.clear();
    lastRead.clear();
    heldName = HeldRow();
    ++clears;
    endResetModel();
}

void ConfigModel::append(const ConfigRow& row)
{
    ConfigItem item;
    item.row = row;
    if (addingRead) {
        item.row.codec = readCodecs->value(row.index, -1);
        item.hasReadValue = true;
        item.readValued = row.valued;
        item.readValue = row.value;
    } else if (carried.contains(row.index)) {
        const ConfigItem& read = carried[row.index];
        item.hasReadValue = true;
        item.readValued = read.readValued;
        item.readValue = read.readValue;
    }
    items.append(item);
}

int ConfigModel::appendThroughRules(int index, const QStringList& fields)
{
    HeldRow released;
    const bool skipped = skipRow(skipMap, index, fields, heldName, released);
    // The held name row goes in just before the model row that released it.
    if (released.present)
        append(rowFromFields(released.index, released.fields));
    if (!skipped)
        append(rowFromFields(index, fields));
    return (released.present ? 1 : 0) + (skipped ? 0 : 1);
}

void ConfigModel::addItem(int index, const QStringList& fields)
{
    HeldRow released;
    const bool skipped = skipRow(skipMap, index, fields, heldName, released);
    const int count = (released.present ? 1 : 0) + (skipped ? 0 : 1);
    if (count == 0)
        return;
    beginInsertRows(QModelIndex(), items.size(), items.size() + count - 1);
    if (released.present)
        append(rowFromFields(released.index, released.fields));
    if (!skipped)
        append(rowFromFields(index, fields));
    endInsertRows();
}

void ConfigModel::showRead(const QVector<ReadItem>& read)
{
    QHash<int, int> codecs;
    lastRead.clear();
    for (const ReadItem& item : read) {
        codecs.insert(item.index, item.codec);
        ConfigRow row;
        row.index = item.index;
        row.name = item.fields.value(0).trimmed();
        row.valued = item.fields.size() > 1;
        row.value = itemValue(item.fields);
        lastRead.append(row);
    }
    beginResetModel();
    items.clear();
    heldName = HeldRow();
    ++clears;
    readCodecs = &codecs;
    addingRead = true;
    for (const ReadItem& item : read)
        appendThroughRules(item.index, item.fields);
    addingRead = false;
    readCodecs = nullptr;
    // A name row held back by a read never outlives it.
    heldName = HeldRow();
    endResetModel();
}

void ConfigModel::showImport(const QVector<ImportedRow>& imported)
{
    carried.clear();
    for (const ConfigItem& item : qAsConst(items)) {
        if (item.hasReadValue)
            carried.insert(item.row.index, item);
    }
    beginResetModel();
    items.clear();
    heldName = HeldRow();
    ++clears;
    for (const ImportedRow& row : imported)
        appendThroughRules(row.index, row.fields);
    carried.clear();
    // A name row the file held back ends with the import.
    heldName = HeldRow();
    endResetModel();
}

void ConfigModel::setValue(int row, const QString& value)
{
    ConfigRow& changed = items[row].row;
    changed.valued = true;
    changed.value = value.trimmed();
    tellChanged(row, row);
}

bool ConfigModel::takeAnswer(int row, const ItemWriteOutcome& outcome)
{
    if (row < 0 || row >= items.size())
        return false;
    ConfigItem& item = items[row];
    const ConfigItem was = item;
    // What the instrument answered is what it holds now; a refused value stays marked until a read.
    item.row.valued = outcome.valued;
    item.row.value = outcome.value;
    if (outcome.codec >= 0)
        item.row.codec = outcome.codec;
    item.hasReadValue = true;
    item.readValued = outcome.valued;
    item.readValue = outcome.value;
    item.refused = !outcome.kept;
    return was.row.value != item.row.value || was.row.valued != item.row.valued || was.row.codec != item.row.codec
        || !was.hasReadValue || was.readValued != item.readValued || was.readValue != item.readValue
        || was.refused != item.refused;
}

void ConfigModel::applyAnswer(int row, const ItemWriteOutcome& outcome)
{
    if (takeAnswer(row, outcome))
        tellChanged(row, row);
}

void ConfigModel::applyAnswers(const QVector<QPair<int, const ItemWriteOutcome*>>& answers)
{
    int first = -1;
    int last = -1;
    for (const auto& answer : answers) {
        if (!takeAnswer(answer.first, *answer.second))
            continue;
        first = first < 0 ? answer.first : qMin(first, answer.first);
        last = qMax(last, answer.first);
    }
    // One notice for the span: a view repaints what it shows of it once, however many rows it holds.
    if (first >= 0)
        tellChanged(first, last);
}

void ConfigModel::tellChanged(int first, int last)
{
    emit dataChanged(index(first, 0), index(last, 1));
}

ConfigRows ConfigModel::rows() const
{
    ConfigRows all;
    all.reserve(items.size());
    for (const ConfigItem& item : items)
        all.append(item.row);
    return all;
}

ConfigRows ConfigModel::readRows() const
{
    ConfigRows read;
    for (const ConfigItem& item : items) {
        if (!item.hasReadValue)
            continue;
        ConfigRow row = item.row;
        row.valued = item.readValued;
        row.value = item.readValue;
        read.append(row);
    }
    return read;
}

int ConfigModel::changedCount() const
{
    int count = 0;
    for (const ConfigItem& item : items)
        count += item.isChanged() ? 1 : 0;
    return count;
}

ConfigRows ConfigModel::instrumentRows() const
{
    QHash<int, const ConfigItem*> shown;
    for (const ConfigItem& item : items)
        shown.insert(item.row.index, &item);
    ConfigRows instrument = lastRead;
    for (ConfigRow& row : instrument) {
        const ConfigItem* item = shown.value(row.index, nullptr);
        if (item && item->hasReadValue) {
            row.valued = item->readValued;
            row.value = item->readValue;
        }
    }
    return instrument;
}

QSet<int> ConfigModel::refusedIndices() const
{
    QSet<int> refused;
    for (const ConfigItem& item : items)
        if (item.refused)
            refused.insert(item.row.index);
    return refused;
}

void ConfigModel::setValues(const QVector<QPair<int, QString>>& values)
{
    QHash<int, QString> byIndex;
    for (const auto& value : values)
        byIndex.insert(value.first, value.second);
    int first = -1;
    int last = -1;
    for (int i = 0; i < items.size(); ++i) {
        const auto found = byIndex.constFind(items.at(i).row.index);
        if (found == byIndex.constEnd() || !items.at(i).row.valued)
            continue;
        items[i].row.value = found.value().trimmed();
        first = first < 0 ? i : first;
        last = i;
    }
    if (first >= 0)
        tellChanged(first, last);
}
