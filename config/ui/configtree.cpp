#include "config/ui/configtree.h"

#include "config/itemtext.h"

#include <QHeaderView>

ConfigTree::ConfigTree(QWidget* parent) : QTreeWidget(parent)
{
    setCursor(Qt::ArrowCursor);
    setRootIsDecorated(false);
    setAlternatingRowColors(true);
    setItemDelegate(new ConfigTreeDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColumnCount(2);
    header()->setVisible(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    QFont bigger = font();
    bigger.setPointSize(12);
    setFont(bigger);
}

QTreeWidgetItem* ConfigTree::appendItem(int index, const QStringList& fields)
{
    auto* item = new QTreeWidgetItem(0);
    const QString number = QStringLiteral("%1").arg(topLevelItemCount() + 1, 2, 10, QLatin1Char('0'));
    item->setText(0, number + QStringLiteral(". ") + fields.value(0).trimmed());
    if (fields.size() >= 2)
        item->setText(1, QStringLiteral(": ") + ::itemValue(fields));
    item->setData(0, ItemIndexRole, index);
    addTopLevelItem(item);
    return item;
}

QString ConfigTree::itemName(const QTreeWidgetItem* item)
{
    return itemNameFromColumn(item->text(0));
}

QString ConfigTree::itemValue(const QTreeWidgetItem* item)
{
    return itemValueFromColumn(item->text(1));
}

void ConfigTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_HasFocus;
    plain.font.setPointSize(12);
    QItemDelegate::paint(painter, plain, index);
}

QSize ConfigTreeDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QSize(QItemDelegate::sizeHint(option, index).width(), 30);
}
