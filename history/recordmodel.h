#pragma once

#include "history/recordstore.h"

#include <QAbstractListModel>

// The lines of a query for a list view. Lines go into the store as they arrive; the view learns of
// them only when publish() is called (once a frame), so its cost does not follow the rate.
class RecordModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    const RecordStore& records() const { return store; }
    void clear();
    void appendLines(const QString& lines) { store.appendLines(lines); }
    void appendRaw(const QByteArray& lines) { store.appendRaw(lines); }
    // Tells the views of the lines that arrived since the last call; false when there were none.
    bool publish();
    bool hasUnpublished() const { return shown < store.lineCount(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    RecordStore store;
    int shown = 0; // lines the views know of
};
