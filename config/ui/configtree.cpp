#include "config/ui/configtree.h"

#include "config/itemtext.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPalette>

namespace {

// The markers are drawn here, 16 pixels square: an amber dot for a changed row, a small warning
// triangle for an action the instrument carries out.
QIcon drawnMarker(bool action)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (action) {
        const QPointF triangle[3] = {{8, 1.5}, {15, 14.5}, {1, 14.5}};
        painter.setPen(QPen(QColor(0x8a, 0x4b, 0x00), 1));
        painter.setBrush(QColor(0xf5, 0xb0, 0x2e));
        painter.drawPolygon(triangle, 3);
        painter.setPen(QPen(QColor(0x3a, 0x20, 0x00), 2));
        painter.drawLine(QPointF(8, 5.5), QPointF(8, 10));
        painter.drawPoint(QPointF(8, 12.5));
    } else {
        painter.setPen(QPen(QColor(0x9a, 0x55, 0x00), 1));
        painter.setBrush(QColor(0xff, 0x9f, 0x1a));
        painter.drawEllipse(QPointF(8, 8), 5, 5);
    }
    return QIcon(pixmap);
}

const QIcon& changedMarker()
{
    static const QIcon icon = drawnMarker(false);
    return icon;
}

const QIcon& actionMarker()
{
    static const QIcon icon = drawnMarker(true);
    return icon;
}

}

ConfigTree::ConfigTree(QWidget* parent) : QTreeWidget(parent)
{
    setCursor(Qt::ArrowCursor);
    setRootIsDecorated(false);
    setAlternatingRowColors(true);
    rowDelegate = new ConfigTreeDelegate(this);
    setItemDelegate(rowDelegate);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setUniformRowHeights(true);
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

bool ConfigTree::isChanged(const QTreeWidgetItem* item)
{
    if (isAction(item))
        return false;
    const QVariant read = item->data(0, ItemReadValueRole);
    return !read.isValid() || itemValueFromColumn(read.toString()) != itemValue(item);
}

void ConfigTree::markRow(QTreeWidgetItem* item)
{
    const bool changed = isChanged(item);
    const bool refused = item->data(0, ItemRefusedRole).toBool();
    QFont rowFont = font();
    rowFont.setBold(changed);
    QString tip;
    if (changed) {
        const QVariant read = item->data(0, ItemReadValueRole);
        tip = read.isValid() ? tr("已修改, 尚未写入; 设备中为 %1").arg(itemValueFromColumn(read.toString()))
                             : tr("已修改, 尚未写入; 设备中的值未读取");
    } else if (refused) {
        tip = tr("设备未接受写入的值, 仍为 %1").arg(itemValue(item));
    } else if (isAction(item)) {
        tip = tr("操作项: 双击后由设备执行");
    }
    // No brush at all (not an empty one) lets the row take the tree's colour again.
    const QVariant text = refused && !changed ? QVariant(palette().brush(QPalette::Disabled, QPalette::Text)) : QVariant();
    // Only what differs is set: a Write-all marks every row again, and most stay as they were.
    for (int column = 0; column < 2; ++column) {
        if (item->font(column) != rowFont)
            item->setFont(column, rowFont);
        if (item->toolTip(column) != tip)
            item->setToolTip(column, tip);
        if (item->data(column, Qt::ForegroundRole) != text)
            item->setData(column, Qt::ForegroundRole, text);
    }
    const QIcon& marker = changed ? changedMarker() : isAction(item) ? actionMarker() : QIcon();
    if (item->icon(0).cacheKey() != marker.cacheKey())
        item->setIcon(0, marker);
}

void ConfigTree::markRows()
{
    for (int row = 0; row < topLevelItemCount(); ++row)
        markRow(topLevelItem(row));
}

void ConfigTree::changeRows(const std::function<void()>& change)
{
    QAbstractItemModel* rows = model();
    const bool wasBlocked = rows->blockSignals(true);
    change();
    rows->blockSignals(wasBlocked);
    if (topLevelItemCount() > 0)
        emit rows->dataChanged(rows->index(0, 0), rows->index(topLevelItemCount() - 1, columnCount() - 1));
}

int ConfigTree::changedCount() const
{
    int count = 0;
    for (int row = 0; row < topLevelItemCount(); ++row)
        count += isChanged(topLevelItem(row)) ? 1 : 0;
    return count;
}

void ConfigTree::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        rowDelegate->forgetWidths();
    // The rows carry their own fonts (bold or not), made from the tree's.
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::FontChange)
        markRows();
    QTreeWidget::changeEvent(event);
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
    constexpr int RowHeight = 30;
    const QString text = index.data(Qt::DisplayRole).toString();
    const QString key = QString::number(index.column()) + QLatin1Char('\n') + text;
    auto known = widths.constFind(key);
    if (known != widths.constEnd())
        return QSize(known.value(), RowHeight);
    // Measured as the widest the row can be shown, bold with a marker, so that marking or unmarking
    // rows (a write does that to hundreds) never changes the width of the name column.
    QStyleOptionViewItem widest = setOptions(index, option);
    widest.font.setBold(true);
    QRect check;
    QRect marker = index.column() == 0 ? QRect(QPoint(0, 0), widest.decorationSize) : QRect();
    QRect shown = textRectangle(nullptr, QRect(0, 0, QWIDGETSIZE_MAX, RowHeight), widest.font, text);
    doLayout(widest, &check, &marker, &shown, true);
    const int width = (marker | shown).width();
    if (widths.size() >= KeptWidths)
        widths.clear();
    widths.insert(key, width);
    return QSize(width, RowHeight);
}
