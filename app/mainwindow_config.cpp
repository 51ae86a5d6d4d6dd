// The configuration operations of the main window: write, edit, CSV import and export, clock.
// Placeholder bodies; the configuration work replaces them.
#include "app/mainwindow.h"

bool MainWindow::writeItem(LinkChannel&, QTreeWidgetItem*, const QString&, int) { return false; }
int MainWindow::promptItemValue(const QString&, const QString&, QString&) { return 0; }
void MainWindow::slotExportItems() {}
void MainWindow::slotImportItems() {}
void MainWindow::slotWriteItems() {}
void MainWindow::slotSyncTime() {}
void MainWindow::slotItemDoubleClicked(QTreeWidgetItem*, int) {}
