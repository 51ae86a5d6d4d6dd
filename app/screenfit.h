#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

class QToolBar;
class QWidget;

// Windows that fit the screen they open on: on a small screen or at a large scale factor (a
// 1920x1080 screen at scale 2 leaves 960x540 logical pixels) a window taller or wider than the
// available area hides its status bar or its buttons off the screen.

// The available area of the screen the window is on, or of the primary screen before it shows.
QSize availableScreenSize(const QWidget& window);
// Shrinks the window to the area where it is larger (its minimum size gives way too), and moves
// it inside the area.
void fitToArea(QWidget& window, const QRect& area);
// Shrinks the window to the available area where it is larger (its minimum size gives way too),
// and moves it inside that area.
void fitToScreen(QWidget& window);
// The width a tool bar needs to show every button with its text under the icon. The buttons also
// stand apart by the layout's spacing; without it the last one would drop behind the extension arrow.
int toolBarWidth(QToolBar& toolBar);

// Fits every window and dialog of the application as it is shown: one filter on the application,
// so a dialog needs no code of its own.
class ScreenFit : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
