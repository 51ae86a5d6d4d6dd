#include "app/windowkeys.h"

#include "ui_mainwindow.h"

#include <QMenuBar>
#include <QShortcut>

void setWindowShortcuts(Ui::MainWindow& form, QMainWindow& window)
{
    const QPair<QAction*, QKeySequence> keys[] = {{form.refresh, QKeySequence(Qt::Key_F5)},
                                                  {form.write_changed, QKeySequence(Qt::CTRL | Qt::Key_S)},
                                                  {form.export_2, QKeySequence(Qt::CTRL | Qt::Key_E)},
                                                  {form.import_2, QKeySequence(Qt::CTRL | Qt::Key_O)},
                                                  {form.sync_time, QKeySequence(Qt::CTRL | Qt::Key_T)},
                                                  {form.debug, QKeySequence(Qt::CTRL | Qt::Key_H)},
                                                  {form.monitor, QKeySequence(Qt::CTRL | Qt::Key_M)},
                                                  {form.update, QKeySequence(Qt::CTRL | Qt::Key_U)},
                                                  {form.setup, QKeySequence(Qt::CTRL | Qt::Key_Comma)}};
    for (const auto& key : keys)
        key.first->setShortcut(key.second);
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    menuKey->setObjectName(QStringLiteral("menuKey"));
    QObject::connect(menuKey, &QShortcut::activated, &window, [&window] {
        QMenuBar* bar = window.menuBar();
        if (!bar->actions().isEmpty())
            bar->setActiveAction(bar->actions().first());
    });
}
