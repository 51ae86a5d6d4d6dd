#include "app/operationslog.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QTreeWidget>

OperationsLog::OperationsLog(QWidget* parent) : QDockWidget(parent), view(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("operationsLog"));
    toggleViewAction()->setObjectName(QStringLiteral("operations_log"));
    view->setObjectName(QStringLiteral("treeOperations"));
    view->setColumnCount(5);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->header()->setStretchLastSection(true);
    // Time, link and operation are short: whole, they leave the rest to the outcome and the hint.
    for (int column = 0; column < 3; ++column)
        view->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    setWidget(view);
    retranslate();
}

void OperationsLog::add(const QString& operation, const QString& target, bool failed, const QString& text,
                        const QString& hint)
{
    const Entry entry{QDateTime::currentDateTime(), target, operation, failed, text, hint};
    kept.append(entry);
    if (kept.size() > KeptEntries) {
        kept.removeFirst();
        delete view->takeTopLevelItem(0);
    }
    // One line a row; the whole text and the hint stay in the tool tip.
    auto* item = new QTreeWidgetItem(view,
                                     {entry.at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), target, operation,
                                      QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                                      QString(hint).replace(QLatin1Char('\n'), QLatin1Char(' '))});
    const QString tip = hint.isEmpty() ? text : text + QStringLiteral("\n\n") + hint;
    for (int column = 0; column < view->columnCount(); ++column) {
        item->setToolTip(column, tip);
        if (failed)
            item->setForeground(column, QColor(0xb0, 0x00, 0x20));
    }
    view->scrollToItem(item);
    if (failed) {
        show();
        raise();
    }
}

void OperationsLog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDockWidget::changeEvent(event);
}

void OperationsLog::retranslate()
{
    setWindowTitle(tr("操作记录"));
    // Its entry in the Operations menu gets an Alt letter; the pane's own title has none.
    toggleViewAction()->setText(tr("操作记录(&L)"));
    view->setHeaderLabels({tr("时间"), tr("连接"), tr("操作"), tr("结果"), tr("提示")});
}
