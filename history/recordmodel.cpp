#include "history/recordmodel.h"

void RecordModel::clear()
{
    beginResetModel();
    store.clear();
    shown = 0;
    endResetModel();
}

bool RecordModel::publish()
{
    const int count = store.lineCount();
    if (count == shown)
        return false;
    beginInsertRows(QModelIndex(), shown, count - 1);
    shown = count;
    endInsertRows();
    return true;
}

int RecordModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shown;
}

QVariant RecordModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= shown)
        return QVariant();
    return store.line(index.row());
}
