#pragma once

#include "config/readonlyitems.h"

#include <QHash>
#include <QIdentityProxyModel>
#include <QItemDelegate>
#include <QPointer>
#include <QTreeView>

class ConfigModel;
class ConfigTreeDelegate;
class QMenu;

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
// ConfigModel; it holds nothing of its own. Double click, Enter, F2 or Space edit the current row; a
// row that cannot be written opens nothing and says why. Ctrl+C copies the selected rows as
// "name: value" lines; the context menu (the menu key, or a right click) edits and copies a row and
// offers the window's actions given to it. An empty tree says how to fill it.
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
    // The selected rows in order, or the current row when none is selected.
    QList<int> chosenRows() const;
    // The rows as the clipboard gets them: "name: value" lines.
    QString copiedRows(const QList<int>& rows) const;
    // The menu of a row (-1: none under the pointer), built anew each time and deleted on close.
    QMenu* rowMenu(int row);
    // The window's actions at the end of every row menu (a read), as they stand when it opens.
    void setMenuActions(const QList<QAction*>& actions) { windowActions = actions; }

    // Why a row cannot be written, for its tool tip.
    static QString readOnlyText(ReadOnlyItem reason);
    // What an empty tree shows in its middle.
    static QString emptyHint();

signals:
    // The operator asks to edit a row that can be written (a model row).
    void signalRowActivated(int row);
    // The operator asked to edit a row that cannot be written; why names the reason.
    void signalReadOnly(const QString& why);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Edits the row, or shows at the row why it cannot be edited.
    void editRow(int row);
    // The current row's menu, below the row, as the keyboard asks for it.
    void popupMenuAtCurrentRow();
    void copyRows(const QList<int>& rows);
    // The name column is as wide as its widest name shown bold beside a marker.
    int nameWidth(int row) const;
    void fitNameColumn();
    void widenForRows(int first, int last);

    ConfigModel* configModel;
    ConfigRowLook* look;
    ConfigTreeDelegate* rowDelegate;
    QList<QAction*> windowActions;
    QPointer<QMenu> keyMenu;
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
