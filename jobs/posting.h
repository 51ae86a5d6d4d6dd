#pragma once

#include <QMetaObject>
#include <QObject>

#include <utility>

// Runs f on the receiver's thread, queued behind what was posted before, in order: how an
// operation's sink reports to a window from the runner's thread. Nothing runs once the receiver is
// gone (Qt drops the call with it).
template <typename F> void postTo(QObject* receiver, F&& f)
{
    QMetaObject::invokeMethod(receiver, std::forward<F>(f), Qt::QueuedConnection);
}
