#include "config/ui/configtree.h"

#include "config/configmodel.h"
#include "config/rowtext.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QToolTip>

#include <algorithm>

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

} // namespace

ConfigRowLook::ConfigRowLook(const QWidget* view, QObject* parent) : QIdentityProxyModel(parent), view(view)
{ }

QVariant ConfigRowLook::data(const QModelIndex& index, int role) const
{
    if (role != Qt::FontRole && role != Qt::ToolTipRole && role != Qt::ForegroundRole
        && (role != Qt::DecorationRole || index.column() != 0))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex row = mapToSource(index);
    const bool changed = row.data(ConfigModel::ChangedRole).toBool();
    const bool refused = row.data(ConfigModel::RefusedRole).toBool();
    const bool action = row.data(ConfigModel::ActionRole).toBool();
    switch (role) {
    case Qt::FontRole: {
        QFont rowFont = view->font();
        rowFont.setBold(changed);
        return rowFont;
    }
    case Qt::ToolTipRole: {
        const ConfigItem& item = static_cast<const ConfigModel*>(sourceModel())->item(row.row());
        if (changed) {
            return item.hasReadValue ? ConfigTree::tr("已修改, 尚未写入; 设备中为 %1").arg(item.readValue)
                                     : ConfigTree::tr("已修改, 尚未写入; 设备中的值未读取");
        }
        if (refused)
            return ConfigTree::tr("设备未接受写入的值, 仍为 %1").arg(item.row.value);
        if (const auto reason = ReadOnlyItem(row.data(ConfigModel::ReadOnlyRole).toInt()); reason != ReadOnlyItem::None)
            return ConfigTree::readOnlyText(reason);
        if (action)
            return ConfigTree::tr("操作项: 双击后由设备执行");
        return QVariant();
    }
    case Qt::ForegroundRole:
        // No brush at all (not an empty one) lets the row take the tree's colour.
        return refused && !changed ? QVariant(view->palette().brush(QPalette::Disabled, QPalette::Text)) : QVariant();
    default:
        if (changed)
            return changedMarker();
        return action ? QVariant(actionMarker()) : QVariant();
    }
}

ConfigTree::ConfigTree(ConfigModel* rows, QWidget* parent) : QTreeView(parent), configModel(rows)
{
    setCursor(Qt::ArrowCursor);
    setRootIsDecorated(false);
    setAlternatingRowColors(true);
    rowDelegate = new ConfigTreeDelegate(this);
    setItemDelegate(rowDelegate);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows may be chosen to copy them; an edit takes the current one.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setUniformRowHeights(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    look = new ConfigRowLook(this, this);
    look->setSourceModel(rows);
    setModel(look);
    header()->setVisible(false);
    // The name column is fitted here, as rows come and go: a header sizing it to its contents would
    // measure every row again whenever the tree changes size or is told of new values.
    header()->setSectionResizeMode(QHeaderView::Fixed);
    header()->setStretchLastSection(true);
    QFont bigger = font();
    bigger.setPointSize(12);
    setFont(bigger);
    connect(look, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { widenForRows(first, last); });
    connect(look, &QAbstractItemModel::rowsRemoved, this, &ConfigTree::fitNameColumn);
    connect(look, &QAbstractItemModel::modelReset, this, &ConfigTree::fitNameColumn);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) { editRow(index.row()); });
    fitNameColumn();
}

ConfigTree::~ConfigTree()
{
    disconnect(look, nullptr, this, nullptr);
}

int ConfigTree::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ConfigTree::setCurrentRow(int row)
{
    if (row >= 0 && row < look->rowCount())
        setCurrentIndex(look->index(row, 0));
}

QRect ConfigTree::rowRect(int row) const
{
    return visualRect(look->index(row, 0));
}

QList<int> ConfigTree::chosenRows() const
{
    QList<int> chosen;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        chosen.append(index.row());
    std::sort(chosen.begin(), chosen.end());
    if (chosen.isEmpty() && currentRow() >= 0)
        chosen.append(currentRow());
    return chosen;
}

QString ConfigTree::copiedRows(const QList<int>& rows) const
{
    QStringList lines;
    for (int row : rows)
        if (row >= 0 && row < configModel->rowCount())
            lines.append(copiedText(configModel->row(row)));
    return lines.join(QLatin1Char('\n'));
}

void ConfigTree::copyRows(const QList<int>& rows)
{
    if (!rows.isEmpty())
        QGuiApplication::clipboard()->setText(copiedRows(rows));
}

QString ConfigTree::readOnlyText(ReadOnlyItem reason)
{
    switch (reason) {
    case ReadOnlyItem::Measured:
        return tr("只读: 设备测得的值, 不能写入");
    case ReadOnlyItem::Identity:
        return tr("只读: 由设备出厂设定, 不能写入");
    case ReadOnlyItem::Clock:
        return tr("只读: 设备时钟请用“同步时间”设置");
    case ReadOnlyItem::None:
        break;
    }
    return QString();
}

QString ConfigTree::emptyHint()
{
    return tr("按 F5 读取仪器配置");
}

void ConfigTree::editRow(int row)
{
    if (row < 0 || row >= configModel->rowCount())
        return;
    if (configModel->isEditable(row)) {
        emit signalRowActivated(row);
        return;
    }
    // No editor: the row's tip says why, at once and where the operator looks.
    const QRect place = rowRect(row);
    const auto reason = ReadOnlyItem(configModel->index(row, 0).data(ConfigModel::ReadOnlyRole).toInt());
    QToolTip::showText(viewport()->mapToGlobal(place.center()), readOnlyText(reason), viewport(), place);
    emit signalReadOnly(readOnlyText(reason));
}

void ConfigTree::keyPressEvent(QKeyEvent* event)
{
    const int row = currentRow();
    if (event->matches(QKeySequence::Copy)) {
        copyRows(chosenRows());
        return;
    }
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool edits = event->key() == Qt::Key_F2 || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
        || event->key() == Qt::Key_Space;
    if (plain && edits && row >= 0) {
        editRow(row);
        return;
    }
    // Not every platform turns the menu key into a context-menu event (the X11 one does, after
    // this); Shift+F10 is the other usual key for it.
    if ((plain && event->key() == Qt::Key_Menu)
        || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        popupMenuAtCurrentRow();
        return;
    }
    QTreeView::keyPressEvent(event);
}

QMenu* ConfigTree::rowMenu(int row)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("configTreeMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool present = row >= 0 && row < configModel->rowCount();
    const ConfigItem item = present ? configModel->item(row) : ConfigItem();
    // A read or an import that replaces the rows while the menu is open leaves its row void.
    const int rows = configModel->generation();
    const auto add = [this, menu, rows](const char* name, const QString& text, bool enabled, auto slot) {
        QAction* action = menu->addAction(text, [this, rows, slot] {
            if (configModel->generation() == rows)
                slot();
        });
        action->setObjectName(QLatin1String(name));
        action->setEnabled(enabled);
    };
    add("actEdit", tr("编辑(&E)..."), present && configModel->isEditable(row), [this, row] { editRow(row); });
    menu->addSeparator();
    add("actCopyValue", tr("复制值(&V)"), item.row.valued,
        [value = item.row.value] { QGuiApplication::clipboard()->setText(value); });
    add("actCopyRow", tr("复制名称和值(&C)"), present, [this, row] { copyRows({row}); });
    add("actCopyAll", tr("复制全部(&A)"), configModel->rowCount() > 0, [this] {
        QList<int> all;
        for (int i = 0; i < configModel->rowCount(); ++i)
            all.append(i);
        copyRows(all);
    });
    if (!windowActions.isEmpty()) {
        menu->addSeparator();
        menu->addActions(windowActions);
    }
    return menu;
}

void ConfigTree::contextMenuEvent(QContextMenuEvent* event)
{
    int row = currentRow();
    QPoint at;
    if (event->reason() == QContextMenuEvent::Mouse) {
        // The event comes from the viewport, in its coordinates.
        const QModelIndex index = indexAt(event->pos());
        row = index.isValid() ? index.row() : -1;
        if (row >= 0 && !selectionModel()->isRowSelected(row, QModelIndex()))
            setCurrentRow(row);
        at = event->globalPos();
    } else {
        popupMenuAtCurrentRow();
        event->accept();
        return;
    }
    rowMenu(row)->popup(at);
    event->accept();
}

void ConfigTree::popupMenuAtCurrentRow()
{
    // The menu key on X11 comes as a key and then as a context-menu event: one menu for both.
    if (keyMenu && keyMenu->isVisible())
        return;
    const int row = currentRow();
    const QRect place = row >= 0 ? rowRect(row) : QRect(viewport()->rect().topLeft(), QSize());
    keyMenu = rowMenu(row);
    keyMenu->popup(viewport()->mapToGlobal(place.bottomLeft()));
}

void ConfigTree::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (configModel->rowCount() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, emptyHint());
}

int ConfigTree::nameWidth(int row) const
{
    return rowDelegate->sizeHint(viewOptions(), look->index(row, 0)).width();
}

void ConfigTree::widenForRows(int first, int last)
{
    int width = columnWidth(0);
    for (int row = first; row <= last; ++row)
        width = qMax(width, nameWidth(row));
    if (width > columnWidth(0))
        setColumnWidth(0, width);
}

void ConfigTree::fitNameColumn()
{
    int width = 0;
    for (int row = 0; row < look->rowCount(); ++row)
        width = qMax(width, nameWidth(row));
    setColumnWidth(0, width);
}

void ConfigTree::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        rowDelegate->forgetWidths();
        fitNameColumn();
    }
    QTreeView::changeEvent(event);
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
