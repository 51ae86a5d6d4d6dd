#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QTimer;
class QWidget;

// Holds back the repaints of a few widgets for at most one frame. An operation that starts and
// ends within a frame (a write-all of hundreds of items on a fast link takes a few milliseconds)
// then paints its tool bar, status bar and rows once, as they are at its end, instead of painting
// its busy look first: a frame nobody could see, drawn at the cost of the operation itself on a
// machine with few cores.
class RepaintHold : public QObject
{
    Q_OBJECT
public:
    static constexpr int FrameMs = 16;

    RepaintHold(const QList<QWidget*>& widgets, QObject* parent = nullptr);
    // From now until release() or one frame has passed.
    void hold();
    void release();

private:
    QList<QPointer<QWidget>> held;
    QTimer* frame;
    bool holding = false;
};
