#include "app/repainthold.h"

#include <QTimer>
#include <QWidget>

RepaintHold::RepaintHold(const QList<QWidget*>& widgets, QObject* parent) : QObject(parent), frame(new QTimer(this))
{
    for (QWidget* widget : widgets)
        held.append(widget);
    frame->setSingleShot(true);
    frame->setInterval(FrameMs);
    connect(frame, &QTimer::timeout, this, &RepaintHold::release);
}

void RepaintHold::hold()
{
    if (holding)
        return;
    holding = true;
    for (QWidget* widget : qAsConst(held)) {
        if (widget)
            widget->setUpdatesEnabled(false);
    }
    frame->start();
}

void RepaintHold::release()
{
    frame->stop();
    if (!holding)
        return;
    holding = false;
    // Each widget is painted once, as it is now.
    for (QWidget* widget : qAsConst(held)) {
        if (widget)
            widget->setUpdatesEnabled(true);
    }
}
