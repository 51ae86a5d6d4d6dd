#include "tools/zq-cli/itemsread.h"

#include "config/itemtext.h"
#include "config/refreshthread.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"
#include "tools/zq-cli/shownrows.h"

bool readItems(const LinkTarget& target, const SkipMap& skipMap, ItemsRead& read, InstrumentResult& result)
{
    if (!linkOpens(target, result))
        return false;
    ShownRows shown(skipMap);
    QString failure;
    RefreshThread thread;
    thread.setLinkSettings(target.settings);
    // Direct: the thread's signals are taken in its own thread; this one only waits for it.
    QObject::connect(&thread, &RefreshThread::signalClearItems, [&] {
        shown.clear();
        read.values.clear();
    });
    QObject::connect(&thread, &RefreshThread::signalAddItems, [&](int index, const QStringList& fields) {
        shown.add(index, fields);
        read.values.insert(index, itemValue(fields));
    });
    QObject::connect(&thread, &RefreshThread::showErrorMessage,
                     [&](const QString& title, const QString& text, const QString&) { failure = title + QStringLiteral(": ") + text; });
    thread.start();
    thread.wait();
    read.rows = shown.rows();
    if (failure.isEmpty())
        return true;
    result.fail(exitCodeFor(thread.failure(), thread.linkError()), failure);
    return false;
}
