#include "history/ui/recordtablemodel.h"

#include "history/recordstore.h"

#include <QColor>

#include <algorithm>
#include <cmath>

RecordTableModel::RecordTableModel(const RecordStore& store, QObject* parent)
    : QAbstractTableModel(parent), store(store)
{ }

QColor RecordTableModel::warningColor()
{
    return QColor(0xC0, 0x50, 0x00);
}

void RecordTableModel::clear()
{
    beginResetModel();
    table = std::make_shared<RecordColumns>();
    shownColumns = 0;
    cachedRecord = -1;
    endResetModel();
}

bool RecordTableModel::publish()
{
    const int before = table->recordCount();
    const QString status = table->commonStatus();
    if (!table->update(store))
        return false;
    const int after = table->recordCount();
    if (table->columnCount() != shownColumns) {
        beginResetModel();
        shownColumns = table->columnCount();
        cachedRecord = -1;
        endResetModel();
        return true;
    }
    if (after > before) {
        beginInsertRows(QModelIndex(), before, after - 1);
        endInsertRows();
    }
    if (before > 0 && (status != table->commonStatus()))
        emit dataChanged(index(0, 0), index(before - 1, shownColumns - 1), {Qt::ForegroundRole});
    return after > before;
}

QString RecordTableModel::columnName(int column) const
{
    const QString name = table->headerName(column);
    if (!name.isEmpty())
        return name;
    if (column == RecordColumns::DateColumn)
        return tr("日期");
    if (column == RecordColumns::TimeColumn)
        return tr("时间");
    return tr("第 %1 列").arg(column + 1);
}

QStringList RecordTableModel::columnNames() const
{
    QStringList names;
    for (int column = 0; column < shownColumns; ++column)
        names.append(columnName(column));
    return names;
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || shownColumns == 0 ? 0 : table->recordCount();
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownColumns;
}

const QStringList& RecordTableModel::rowCells(int record) const
{
    if (record != cachedRecord) {
        cachedCells = table->cells(store, record);
        cachedRecord = record;
    }
    return cachedCells;
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= table->recordCount())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return rowCells(index.row()).value(index.column());
    case Qt::TextAlignmentRole:
        return table->isNumeric(index.column()) ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                : int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole: {
        const int status = table->statusColumn();
        if (status >= 0 && !table->commonStatus().isEmpty()
            && rowCells(index.row()).value(status) != table->commonStatus())
            return warningColor();
        return QVariant();
    }
    default:
        return QVariant();
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= shownColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return columnName(section);
    if (role == Qt::TextAlignmentRole)
        return table->isNumeric(section) ? int(Qt::AlignRight | Qt::AlignVCenter)
                                         : int(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

RecordSortProxy::RecordSortProxy(QObject* parent) : QAbstractProxyModel(parent)
{ }

void RecordSortProxy::setSourceModel(QAbstractItemModel* source)
{
    beginResetModel();
    if (table)
        disconnect(table, nullptr, this, nullptr);
    table = qobject_cast<RecordTableModel*>(source);
    QAbstractProxyModel::setSourceModel(source);
    if (table) {
        connect(table, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
        connect(table, &QAbstractItemModel::modelReset, this, [this] {
            sourceReset();
            endResetModel();
        });
        connect(table, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int last) { sourceRowsInserted(first, last); });
        connect(table, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex&, const QModelIndex&, const QVector<int>& roles) {
                    if (rows > 0)
                        emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1), roles);
                });
        connect(table, &QAbstractItemModel::headerDataChanged, this, &QAbstractItemModel::headerDataChanged);
    }
    sourceReset();
    endResetModel();
}

void RecordSortProxy::sourceReset()
{
    std::vector<int>().swap(order);
    std::vector<int>().swap(rowOf);
    std::vector<double>().swap(numberKeys);
    textKeys.clear();
    rows = table ? table->rowCount() : 0;
    if (sortedBy >= (table ? table->columnCount() : 0))
        sortedBy = -1;
    if (sortedBy < 0)
        return;
    order.resize(size_t(rows));
    for (int row = 0; row < rows; ++row)
        order[size_t(row)] = row;
    readKeys(0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return before(a, b); });
    rowOf.assign(order.size(), 0);
    for (size_t i = 0; i < order.size(); ++i)
        rowOf[size_t(order[i])] = int(i);
}

void RecordSortProxy::readKeys(int from)
{
    const RecordColumns& columns = table->columns();
    const int rows = columns.recordCount();
    const bool byTime = sortedBy == RecordColumns::DateColumn || sortedBy == RecordColumns::TimeColumn;
    if (byTime || columns.isNumeric(sortedBy)) {
        numberKeys.resize(size_t(from));
        numberKeys.reserve(size_t(rows));
        for (int row = from; row < rows; ++row)
            numberKeys.push_back(byTime ? columns.time(row) : columns.value(row, sortedBy));
        textKeys.clear();
    } else {
        numberKeys.clear();
        while (textKeys.size() > from)
            textKeys.removeLast();
        textKeys.reserve(rows);
        for (int row = from; row < rows; ++row)
            textKeys.append(table->data(table->index(row, sortedBy)).toString());
    }
}

bool RecordSortProxy::before(int a, int b) const
{
    // Records without a number go last whichever the direction.
    if (!numberKeys.empty()) {
        const double x = numberKeys[size_t(a)];
        const double y = numberKeys[size_t(b)];
        if (std::isnan(x) || std::isnan(y))
            return !std::isnan(x) && std::isnan(y);
        return direction == Qt::AscendingOrder ? x < y : y < x;
    }
    const int compared = textKeys.at(a).compare(textKeys.at(b));
    return direction == Qt::AscendingOrder ? compared < 0 : compared > 0;
}

void RecordSortProxy::sort(int column, Qt::SortOrder how)
{
    if (!table)
        return;
    reorder([&] {
        sortedBy = column >= 0 && column < table->columnCount() ? column : -1;
        direction = how;
        sourceReset();
    });
}

void RecordSortProxy::reorder(const std::function<void()>& rebuild)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList kept = persistentIndexList();
    QList<QPair<int, int>> sourceCells;
    for (const QModelIndex& index : kept)
        sourceCells.append({index.isValid() ? sourceRow(index.row()) : -1, index.column()});
    rebuild();
    QModelIndexList moved;
    for (const auto& cell : sourceCells)
        moved.append(cell.first >= 0 ? index(proxyRow(cell.first), cell.second) : QModelIndex());
    changePersistentIndexList(kept, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void RecordSortProxy::sourceRowsInserted(int first, int last)
{
    if (sortedBy < 0) {
        beginInsertRows(QModelIndex(), first, last);
        rows += last - first + 1;
        endInsertRows();
        return;
    }
    // New records are sorted among themselves and merged into their places.
    reorder([&] {
        readKeys(first);
        const size_t middle = order.size();
        for (int row = first; row <= last; ++row)
            order.push_back(row);
        rows = int(order.size());
        const auto less = [this](int a, int b) { return before(a, b); };
        std::stable_sort(order.begin() + long(middle), order.end(), less);
        std::inplace_merge(order.begin(), order.begin() + long(middle), order.end(), less);
        rowOf.assign(order.size(), 0);
        for (size_t i = 0; i < order.size(); ++i)
            rowOf[size_t(order[i])] = int(i);
    });
}

QModelIndex RecordSortProxy::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!table || !proxyIndex.isValid() || proxyIndex.row() >= rows)
        return QModelIndex();
    return table->index(sourceRow(proxyIndex.row()), proxyIndex.column());
}

QModelIndex RecordSortProxy::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.row() >= rows)
        return QModelIndex();
    return index(proxyRow(sourceIndex.row()), sourceIndex.column());
}

QModelIndex RecordSortProxy::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex RecordSortProxy::parent(const QModelIndex&) const
{
    return QModelIndex();
}

int RecordSortProxy::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows;
}

int RecordSortProxy::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !table ? 0 : table->columnCount();
}
