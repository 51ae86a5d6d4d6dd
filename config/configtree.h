#pragma once

#include <QItemDelegate>
#include <QTreeWidget>

// The instrument's item index of a row, kept in column 0.
constexpr int ItemIndexRole = Qt::UserRole;

// The configuration items, one top-level row each: "01. name" and ": value".
class ConfigTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ConfigTree(QWidget* parent = nullptr);
};

// Rows 30 pixels high in a 12-point font, without a focus rectangle.
class ConfigTreeDelegate : public QItemDelegate
{
public:
    using QItemDelegate::QItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
