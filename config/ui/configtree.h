#pragma once

#include <QItemDelegate>
#include <QTreeWidget>

// The instrument's item index of a row, kept in column 0.
constexpr int ItemIndexRole = Qt::UserRole;
// How the instrument's text of a row was decoded (a DeviceCodec), when it came from the instrument.
constexpr int ItemCodecRole = Qt::UserRole + 1;

// The configuration items, one top-level row each: "01. name" and ": value".
class ConfigTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ConfigTree(QWidget* parent = nullptr);

    // Appends one row numbered after the rows shown so far; fields are name, value, and any
    // further parts of a value that held colons (kept by the caller, not shown).
    QTreeWidgetItem* appendItem(int index, const QStringList& fields);

    // The name without its display number, and the value without its colon, both trimmed.
    static QString itemName(const QTreeWidgetItem* item);
    static QString itemValue(const QTreeWidgetItem* item);
};

// Rows 30 pixels high in a 12-point font, without a focus rectangle.
class ConfigTreeDelegate : public QItemDelegate
{
public:
    using QItemDelegate::QItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
