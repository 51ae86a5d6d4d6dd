#pragma once

namespace Ui {
class MainWindow;
}

// The main window's shortcuts: F5 reads, Ctrl with a letter for the operations used most.
void setWindowShortcuts(Ui::MainWindow& form);
