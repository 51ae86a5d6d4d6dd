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
    // The name column is fitted here, as rows come and go: a header sizing it to its contents would
    // measure every row again whenever the tree changes size or is told of new values.
    header()->setSectionResizeMode(QHeaderView::Fixed);
    header()->setStretchLastSection(true);
    QFont bigger = font();
    bigger.setPointSize(12);
    setFont(bigger);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &ConfigTree::fitNameColumn);
    connect(model(), &QAbstractItemModel::modelReset, this, &ConfigTree::fitNameColumn);
    fitNameColumn();
}

ConfigTree::~ConfigTree()
{
    disconnect(model(), nullptr, this, nullptr);
}

QTreeWidgetItem* ConfigTree::appendItem(int index, const QStringList& fields)
{
    auto* item = new ConfigTreeRow;
    const QString number = QStringLiteral("%1").arg(topLevelItemCount() + 1, 2, 10, QLatin1Char('0'));
    item->setText(0, number + QStringLiteral(". ") + fields.value(0).trimmed());
    if (fields.size() >= 2)
        item->setText(1, QStringLiteral(": ") + ::itemValue(fields));
    item->setData(0, ItemIndexRole, index);
    addTopLevelItem(item);
    const int width = nameWidth(item);
    if (width > columnWidth(0))
        setColumnWidth(0, width);
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
    const QString value = item->text(1);
    if (value.isEmpty())
        return false; // an action
    if (const ConfigRowState* state = ConfigTreeRow::stateOf(item)) {
        // Most rows hold exactly what was read: no need to trim both.
        return !state->hasReadValue
            || (state->readValue != value && itemValueFromColumn(state->readValue) != itemValueFromColumn(value));
    }
    const QVariant read = item->data(0, ItemReadValueRole);
    return !read.isValid() || itemValueFromColumn(read.toString()) != itemValueFromColumn(value);
}

const ConfigRowState* ConfigTreeRow::stateOf(const QTreeWidgetItem* item)
{
    return item && item->type() == QTreeWidgetItem::UserType ? &static_cast<const ConfigTreeRow*>(item)->held : nullptr;
}

ConfigTreeRow* ConfigTreeRow::from(QTreeWidgetItem* item)
{
    return item && item->type() == QTreeWidgetItem::UserType ? static_cast<ConfigTreeRow*>(item) : nullptr;
}

void ConfigTreeRow::setState(const ConfigRowState& state)
{
    held = state;
    emitDataChanged();
}

void ConfigTreeRow::setData(int column, int role, const QVariant& value)
{
    if (column != 0 || role < ItemIndexRole || role > ItemRefusedRole) {
        QTreeWidgetItem::setData(column, role, value);
        return;
    }
    ConfigRowState state = held;
    switch (role) {
    case ItemIndexRole:
        state.index = value.toInt();
        break;
    case ItemCodecRole:
        state.codec = value.isValid() ? value.toInt() : -1;
        break;
    case ItemReadValueRole:
        state.hasReadValue = value.isValid();
        state.readValue = value.toString();
        break;
    default:
        state.refused = value.toBool();
        break;
    }
    setState(state);
}

QVariant ConfigTreeRow::data(int column, int role) const
{
    if (column == 0 && role >= ItemIndexRole && role <= ItemRefusedRole) {
        switch (role) {
        case ItemIndexRole:
            return held.index;
        case ItemCodecRole:
            return held.codec >= 0 ? QVariant(held.codec) : QVariant();
        case ItemReadValueRole:
            return held.hasReadValue ? QVariant(held.readValue) : QVariant();
        default:
            return held.refused;
        }
    }
    const QTreeWidget* tree = treeWidget();
    if (!tree
        || (role != Qt::FontRole && role != Qt::ToolTipRole && role != Qt::ForegroundRole
            && (role != Qt::DecorationRole || column != 0)))
        return QTreeWidgetItem::data(column, role);
    const bool changed = ConfigTree::isChanged(this);
    const bool refused = held.refused;
    switch (role) {
    case Qt::FontRole: {
        QFont rowFont = tree->font();
        rowFont.setBold(changed);
        return rowFont;
    }
    case Qt::ToolTipRole:
        if (changed) {
            return held.hasReadValue
                ? ConfigTree::tr("已修改, 尚未写入; 设备中为 %1").arg(itemValueFromColumn(held.readValue))
                : ConfigTree::tr("已修改, 尚未写入; 设备中的值未读取");
        }
        if (refused)
            return ConfigTree::tr("设备未接受写入的值, 仍为 %1").arg(ConfigTree::itemValue(this));
        if (ConfigTree::isAction(this))
            return ConfigTree::tr("操作项: 双击后由设备执行");
        return QVariant();
    case Qt::ForegroundRole:
        // No brush at all (not an empty one) lets the row take the tree's colour.
        return refused && !changed ? QVariant(tree->palette().brush(QPalette::Disabled, QPalette::Text)) : QVariant();
    default:
        if (changed)
            return changedMarker();
        return ConfigTree::isAction(this) ? QVariant(actionMarker()) : QVariant();
    }
}

void ConfigTree::changeRows(const std::function<void()>& change)
{
    QAbstractItemModel* rows = model();
    const bool wasBlocked = rows->blockSignals(true);
    change();
    rows->blockSignals(wasBlocked);
    // Only the rows in sight are told: the view would measure every row told of, and rows out of
    // sight are drawn from what they hold when they come into it. Their heights are all alike and
    // the last column stretches, so nothing else of the layout follows from what they hold.
    const QModelIndex top = indexAt(QPoint(0, 0));
    if (!top.isValid())
        return;
    QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    if (!bottom.isValid())
        bottom = rows->index(topLevelItemCount() - 1, 0);
    emit rows->dataChanged(rows->index(top.row(), 0), rows->index(bottom.row(), columnCount() - 1));
}

int ConfigTree::changedCount() const
{
    int count = 0;
    for (int row = 0; row < topLevelItemCount(); ++row)
        count += isChanged(topLevelItem(row)) ? 1 : 0;
    return count;
}

int ConfigTree::nameWidth(QTreeWidgetItem* item) const
{
    return rowDelegate->sizeHint(viewOptions(), indexFromItem(item, 0)).width();
}

void ConfigTree::fitNameColumn()
{
    int width = 0;
    for (int row = 0; row < topLevelItemCount(); ++row)
        width = qMax(width, nameWidth(topLevelItem(row)));
    setColumnWidth(0, width);
}

void ConfigTree::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        rowDelegate->forgetWidths();
        fitNameColumn();
    }
    QTreeWidget::changeEvent(event);
    // The rows' fonts are made from the tree's, and their tips in the language shown.
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::FontChange)
        viewport()->update();
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
