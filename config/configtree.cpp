// Placeholder bodies; the application-frame work replaces them.
#include "config/configtree.h"

ConfigTree::ConfigTree(QWidget* parent) : QTreeWidget(parent) {}
void ConfigTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QItemDelegate::paint(painter, option, index);
}
QSize ConfigTreeDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QItemDelegate::sizeHint(option, index);
}
