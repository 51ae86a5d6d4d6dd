#pragma once

#include <QEvent>
#include <QObject>

// Counts the events of one type that reach the objects it watches (paints, layout requests).
class EventCounter : public QObject
{
public:
    EventCounter(QEvent::Type type, int* count) : type(type), count(count) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        *count += event->type() == type ? 1 : 0;
        return false;
    }

private:
    QEvent::Type type;
    int* count;
};
