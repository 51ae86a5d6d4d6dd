#pragma once

#include <QHash>
#include <QIdentityProxyModel>
#include <QItemDelegate>
#include <QTreeView>

class ConfigModel;
class ConfigTreeDelegate;

// How a row of the configuration looks, from what it holds: bold with a marker while changed, an
// action's marker, greyed with a tip when the instrument refused its value. It is worked out when
// the view asks (for the rows in sight), so a write that changes hundreds of rows sets only their
// values.
class ConfigRowLook : public QIdentityProxyModel
{
    Q_OBJECT
public:
    // view lends its font and palette.
    ConfigRowLook(const QWidget* view, QObject* parent);
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const QWidget* view;
};

// The configuration items, one top-level row each: "01. name" and ": value". A view of the window's
// ConfigModel; it holds nothing of its own.
class ConfigTree : public QTreeView
{
    Q_OBJECT
public:
    ConfigTree(ConfigModel* rows, QWidget* parent = nullptr);
    ~ConfigTree() override;

    ConfigModel* rows() const { return configModel; }
    // The row under the view's current index, -1 for none.
    int currentRow() const;
    void setCurrentRow(int row);
    // The place of a row on the viewport, to double-click it.
    QRect rowRect(int row) const;

signals:
    // A row was double-clicked (a model row).
    void signalRowActivated(int row);

protected:
    void changeEvent(QEvent* event) override;

private:
    // The name column is as wide as its widest name shown bold beside a marker.
    int nameWidth(int row) const;
    void fitNameColumn();
    void widenForRows(int first, int last);

    ConfigModel* configModel;
    ConfigRowLook* look;
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
