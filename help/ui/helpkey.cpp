#include "help/ui/helpkey.h"

#include "help/ui/manualwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
        return false;
    // Every widget on the way up sees the key; only the one it was sent to answers it.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != QApplication::focusWidget() && widget != QApplication::activeWindow()))
        return false;
    QWidget* window = widget->window();
    if (window->inherits("ManualWindow"))
        return false;
    ManualWindow::open(window, ManualWindow::sectionFor(window));
    return true;
}
