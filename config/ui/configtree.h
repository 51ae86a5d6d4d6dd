#pragma once

#include <QHash>
#include <QItemDelegate>
#include <QTreeWidget>

#include <functional>

// The instrument's item index of a row, kept in column 0.
constexpr int ItemIndexRole = Qt::UserRole;
// How the instrument's text of a row was decoded (a DeviceCodec), when it came from the instrument.
constexpr int ItemCodecRole = Qt::UserRole + 1;
// Column 1 as the instrument last reported it (read, or answered to a write); unset when the
// instrument has not told the row's value.
constexpr int ItemReadValueRole = Qt::UserRole + 2;
// The instrument answered the last write of the row with another value than the one written.
constexpr int ItemRefusedRole = Qt::UserRole + 3;

class ConfigTreeDelegate;

// A row whose look follows from what it holds: bold with a marker while changed, an action's marker,
// greyed with a tip when the instrument refused its value. It is worked out when the view asks (for
// the rows in sight), so a write that changes hundreds of rows sets only their values.
//
// What it holds beside its two texts is kept plainly, also under the roles above: a write-all reads
// and sets it for every row, and a role's look-up is a search through the item's values.
struct ConfigRowState
{
    int index = 0;
    int codec = -1; // none
    bool hasReadValue = false;
    QString readValue;
    bool refused = false;
};

class ConfigTreeRow : public QTreeWidgetItem
{
public:
    ConfigTreeRow() : QTreeWidgetItem(QTreeWidgetItem::UserType) {}
    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

    const ConfigRowState& state() const { return held; }
    void setState(const ConfigRowState& state);
    // The row's state when item is one of the tree's rows, else nullptr.
    static const ConfigRowState* stateOf(const QTreeWidgetItem* item);
    static ConfigTreeRow* from(QTreeWidgetItem* item);

private:
    ConfigRowState held;
};

// The configuration items, one top-level row each: "01. name" and ": value".
class ConfigTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ConfigTree(QWidget* parent = nullptr);
    // The tree's own teardown removes its rows: no fitting then.
    ~ConfigTree() override;

    // Appends one row numbered after the rows shown so far; fields are name, value, and any
    // further parts of a value that held colons (kept by the caller, not shown).
    QTreeWidgetItem* appendItem(int index, const QStringList& fields);

    // The name without its display number, and the value without its colon, both trimmed.
    static QString itemName(const QTreeWidgetItem* item);
    static QString itemValue(const QTreeWidgetItem* item);

    // A valued row whose value is not the one the instrument last reported (imported or restored,
    // not yet written). Rows only confirmed are actions and never count as changed.
    static bool isChanged(const QTreeWidgetItem* item);
    static bool isAction(const QTreeWidgetItem* item) { return item->text(1).isEmpty(); }
    // Runs change, which alters the values many rows hold (it adds, removes and renames none), with the rows' own
    // notices held back, then has the view take them in at once: a write of hundreds of rows would
    // otherwise have it handle every row's notices on its own.
    void changeRows(const std::function<void()>& change);
    int changedCount() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    // The name column is as wide as its widest name shown bold beside a marker.
    int nameWidth(QTreeWidgetItem* item) const;
    void fitNameColumn();

    ConfigTreeDelegate* rowDelegate;
};

// Rows 30 pixels high in a 12-point font, without a focus rectangle.
class ConfigTreeDelegate : public QItemDelegate
{
public:
    using QItemDelegate::QItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The width is measured once per text, as the widest the row can be shown: the tree sizes its
    // name column to its contents, and a write that re-marks hundreds of rows would otherwise lay
    // out every name again.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // After a change of font or style, widths are measured afresh.
    void forgetWidths() { widths.clear(); }

private:
    // At most this many widths are kept (a tree holds a few hundred rows); beyond, they start over.
    static constexpr int KeptWidths = 4096;
    mutable QHash<QString, int> widths;
};
