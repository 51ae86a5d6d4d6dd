#pragma once

namespace Ui {
class MainWindow;
}
class QMainWindow;

// The main window's shortcuts: F5 reads, Ctrl with a letter for the operations used most, and F10
// opens the first menu (from there the arrow keys and the menus' letters reach every entry).
void setWindowShortcuts(Ui::MainWindow& form, QMainWindow& window);
