#pragma once

#include "config/configrow.h"
#include "config/skipitems.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVector>

struct ItemWriteOutcome;

// One row of the configuration as the window holds it: the item, what the instrument last reported
// for it, and whether it refused the value last written.
struct ConfigItem
{
    ConfigRow row;
    // Set once the instrument has told the item's value (read, or answered to a write).
    bool hasReadValue = false;
    bool readValued = false;
    QString readValue;
    bool refused = false;

    // A valued row whose value is not the one the instrument last reported (imported or restored,
    // not yet written). Confirm-only rows are actions and never count as changed.
    bool isChanged() const { return row.valued && (!hasReadValue || readValue != row.value); }
};

// The configuration items shown in the window, two columns: "01. name" and ": value" (or nothing,
// for a confirm-only item). Rows come from a read or an import, through the SkipItems rules: some
// identity rows are hidden, and a device name row is held back until the model row after it says
// whether the pair shows. The display number counts the rows shown; the item index is the
// instrument's. Rows are only appended or replaced all at once, never reordered.
class ConfigModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role {
        IndexRole = Qt::UserRole, // int: the instrument's item index
        ReadValueRole, // the value column as the instrument last reported it; unset before
        RefusedRole, // bool: the instrument kept another value than the one written
        ChangedRole, // bool: ConfigItem::isChanged()
        ActionRole, // bool: a confirm-only row
        ReadOnlyRole // int: a ReadOnlyItem, why the row cannot be written (None: it can)
    };

    explicit ConfigModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // A row the instrument takes a value for (or an action it carries out) is editable.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool isEditable(int row) const;

    void setSkipMap(const SkipMap& map) { skipMap = map; }

    // Removes every row and forgets a held name row: another instrument's must not come back.
    void clear();
    // One item through the SkipItems rules, appended after the rows shown. Its read value is the one
    // carried for its index, if any (an import keeps what the instrument reported).
    void addItem(int index, const QStringList& fields);
    // Replaces the rows with a complete read: each row holds what the instrument reported.
    void showRead(const QVector<ReadItem>& items);
    // Replaces the rows with an imported file's. Rows keep what the instrument reported for their
    // items, so that what the file changes shows as changes.
    void showImport(const QVector<ImportedRow>& rows);
    // A value given to a row, not yet written.
    void setValue(int row, const QString& value);
    // What the instrument answered to a write of a row: it holds that value now.
    void applyAnswer(int row, const ItemWriteOutcome& outcome);
    // Answers to many rows at once, told to the views as one change.
    void applyAnswers(const QVector<QPair<int, const ItemWriteOutcome*>>& answers);

    const ConfigItem& item(int row) const { return items.at(row); }
    ConfigRow row(int row) const { return items.at(row).row; }
    ConfigRows rows() const;
    // Every row the instrument has reported a value for, as it reported it: what a backup keeps.
    ConfigRows readRows() const;
    int changedCount() const;
    // Every item of the last complete read, hidden identity rows too, with the values the instrument
    // reported since: what a file is compared with. Empty before a read and after a clear.
    ConfigRows instrumentRows() const;
    bool hasRead() const { return !lastRead.isEmpty(); }
    // Items whose value the instrument did not keep when last written.
    QSet<int> refusedIndices() const;
    // Values from a file for the shown rows of these item indices, not yet written.
    void setValues(const QVector<QPair<int, QString>>& values);
    // Counts the times the rows were replaced: an operation that sees it move leaves the new rows alone.
    int generation() const { return clears; }

private:
    void append(const ConfigRow& row);
    // The SkipItems rules, then append(); returns the rows added (none, one or two).
    int appendThroughRules(int index, const QStringList& fields);
    // Applies an answer without telling the views; false when nothing changed.
    bool takeAnswer(int row, const ItemWriteOutcome& outcome);
    void tellChanged(int first, int last);

    QVector<ConfigItem> items;
    SkipMap skipMap;
    // The device name row held back until the model row decides. It outlives nothing: a clear, a
    // complete read and an import end it.
    HeldRow heldName;
    // While rows are added by a read: their codecs and that they hold the instrument's values.
    const QHash<int, int>* readCodecs = nullptr;
    bool addingRead = false;
    // While rows are added by an import: the values the instrument reported, by item index.
    QHash<int, ConfigItem> carried;
    ConfigRows lastRead;
    int clears = 0;
};
