#pragma once

#include "history/recordcolumns.h"

#include <QAbstractProxyModel>
#include <QAbstractTableModel>

#include <functional>
#include <memory>
#include <vector>

class RecordStore;

// The records of a query as a table: date, time and the fields, named from the header line, read
// from the store when shown. Numeric columns are right-aligned; a record whose status differs
// from the most common one is drawn in the warning colour. publish() takes in the lines the store
// gained, once a frame.
class RecordTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit RecordTableModel(const RecordStore& store, QObject* parent = nullptr);

    // The columns of the records shown, until clear() starts new ones.
    const RecordColumns& columns() const { return *table; }
    // The columns as they are now, for series that must outlive a clear().
    std::shared_ptr<const RecordColumns> sharedColumns() const { return table; }
    void clear();
    // Reads the records the store gained; false when there were none.
    bool publish();
    // The column names as the table, the CSV and the PDF show them.
    QString columnName(int column) const;
    QStringList columnNames() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QColor warningColor();

private:
    const QStringList& rowCells(int record) const;

    const RecordStore& store;
    // Cleared by being replaced, so that series drawn from them keep what they were made of.
    std::shared_ptr<RecordColumns> table = std::make_shared<RecordColumns>();
    int shownColumns = 0;
    // The cells of the record read last: a row is painted cell by cell.
    mutable int cachedRecord = -1;
    mutable QStringList cachedCells;
};

// Sorts the table by any column without copying it: it keeps only the order of the record numbers,
// worked out from keys read once per record (times and numbers from the columns, texts from the
// store). Records that arrive while sorted are merged into their places. Unsorted, it holds
// nothing per record: its rows are the table's.
class RecordSortProxy : public QAbstractProxyModel
{
    Q_OBJECT
public:
    explicit RecordSortProxy(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return sortedBy; }

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;

private:
    void sourceReset();
    void sourceRowsInserted(int first, int last);
    // Runs reorder (which rebuilds order and rowOf) as one layout change, the selection and every
    // other persistent index following its record.
    void reorder(const std::function<void()>& rebuild);
    bool before(int a, int b) const;
    void readKeys(int from);

    RecordTableModel* table = nullptr;
    int sourceRow(int row) const { return order.empty() ? row : order[size_t(row)]; }
    int proxyRow(int row) const { return rowOf.empty() ? row : rowOf[size_t(row)]; }

    int rows = 0;
    std::vector<int> order; // proxy row -> source row, while sorted
    std::vector<int> rowOf; // source row -> proxy row, while sorted
    int sortedBy = -1;
    Qt::SortOrder direction = Qt::AscendingOrder;
    std::vector<double> numberKeys; // per source row, for time and numeric columns
    QStringList textKeys; // per source row, for text columns
};
