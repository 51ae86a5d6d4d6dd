#pragma once

#include <QSize>

class Config;
class QMainWindow;
class QToolBar;
class QWidget;

// The main window's size across runs and languages.

// The size the window was closed at, at least 600 high. Neither side may exceed the screen: a stored
// height of 2147483647 would make a window that never paints.
QSize storedWindowSize(Config& settings, const QWidget& window);
// Written at once: the window may stay open in memory long after it was closed.
void saveWindowSize(Config& settings, const QWidget& window);
// Wide enough for every tool-bar button in the language now installed; the operator's width stays
// where it is wider, and neither may pass the screen's. A screen too narrow for the texts under
// the icons (English at a large scale) keeps the icons, with the texts in their tool tips.
void fitToolBarWidth(QMainWindow& window, QToolBar& toolBar);
// Tool-bar icons drawn at 16 pixels, whatever size their files are.
void shrinkToolBarIcons(QToolBar& toolBar);
