#include "app/screenfit.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QToolBar>
#include <QWidget>
#include <QWindow>

namespace {

QRect availableArea(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    const QScreen* screen = handle && handle->screen() ? handle->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

} // namespace

QSize availableScreenSize(const QWidget& window)
{
    return availableArea(window).size();
}

void fitToScreen(QWidget& window)
{
    fitToArea(window, availableArea(window));
}

void fitToArea(QWidget& window, const QRect& area)
{
    // The frame's title bar and borders take their share, once the system has told them.
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QSize room = (area.size() - frame).expandedTo(QSize(1, 1));
    window.setMinimumSize(window.minimumSize().boundedTo(room));
    window.resize(window.size().boundedTo(room));
    QRect placed = window.frameGeometry();
    if (!area.contains(placed)) {
        placed.moveRight(qMin(placed.right(), area.right()));
        placed.moveBottom(qMin(placed.bottom(), area.bottom()));
        placed.moveLeft(qMax(placed.left(), area.left()));
        placed.moveTop(qMax(placed.top(), area.top()));
        window.move(placed.topLeft());
    }
}

int toolBarWidth(QToolBar& toolBar)
{
    int width = QToolBar().minimumSizeHint().width();
    int buttons = 0;
    for (QAction* action : toolBar.actions()) {
        if (QWidget* button = toolBar.widgetForAction(action)) {
            width += button->minimumSizeHint().width();
            ++buttons;
        }
    }
    if (buttons > 1)
        width += toolBar.layout()->spacing() * (buttons - 1);
    return width;
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    // Show reaches a window before the system shows it, after it has taken its size and place.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && !(widget->windowType() == Qt::Popup || widget->windowType() == Qt::ToolTip))
            fitToScreen(*widget);
    }
    return QObject::eventFilter(watched, event);
}
