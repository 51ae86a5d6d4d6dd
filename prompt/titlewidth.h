#pragma once

class QDialog;
class QWidget;

// A box as narrow as its short text cuts its own title ("同…间"): the title bar needs room for the
// whole title beside the window icon and the close button.

// The width a window needs for its title bar to show its whole title.
int titleBarWidth(const QWidget& window);

// Widens a dialog or message box to titleBarWidth() unless it is wide enough already. Boxes and
// dialogs that lay themselves out get a minimum width through their layout; others a minimum width.
void keepTitleWhole(QDialog& dialog);
