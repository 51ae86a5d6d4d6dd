// Placeholder bodies; the application-frame work replaces them.
#include "app/mainwindow.h"

#include "config/configtree.h"

#include <QCloseEvent>
#include <QTranslator>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), form(nullptr), tree(new ConfigTree(this)), translator(new QTranslator(this))
{
    setCentralWidget(tree);
}
MainWindow::~MainWindow() = default;
void MainWindow::showErrorBox(const QString&, const QString&, const QIcon&) {}
void MainWindow::applyLanguage(const QString&) {}
bool MainWindow::isSkippedRow(int, const QStringList&) { return false; }
void MainWindow::addItemRow(int, const QStringList&) {}
void MainWindow::loadSkipItems() {}
void MainWindow::slotCommunicationSetup() {}
void MainWindow::slotRefresh() {}
void MainWindow::slotHistoryData() {}
void MainWindow::slotUpdateHardware() {}
void MainWindow::slotDeviceMonitor() {}
void MainWindow::slotAbout() {}
void MainWindow::slotClearItems() {}
void MainWindow::slotAddItems(int, const QStringList&) {}
void MainWindow::slotShowErrorMessage(const QString&, const QString&, const QString&) {}
void MainWindow::slot_en_US() {}
void MainWindow::slot_zh_CH() {}
void MainWindow::slot_zh_TW() {}
void MainWindow::closeEvent(QCloseEvent* event) { QMainWindow::closeEvent(event); }
void MainWindow::restoreWindowState() {}
void MainWindow::shrinkToolBarIcons() {}
void MainWindow::saveWindowSize() {}
