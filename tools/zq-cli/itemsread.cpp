#include "tools/zq-cli/itemsread.h"

#include "config/configmodel.h"
#include "config/itemtext.h"
#include "config/refreshthread.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

bool readItems(const LinkTarget& target, const SkipMap& skipMap, ItemsRead& read, InstrumentResult& result)
{
    if (!linkOpens(target, result))
        return false;
    QVector<ReadItem> items;
    QString failure;
    RefreshThread thread;
    thread.setLinkSettings(target.settings);
    // Direct: the thread's signals are taken in its own thread; this one only waits for it.
    QObject::connect(&thread, &RefreshThread::signalClearItems, [&] {
        items.clear();
        read.values.clear();
    });
    QObject::connect(&thread, &RefreshThread::signalAddItems, [&](int index, const QStringList& fields) {
        items.append({index, fields, -1});
        read.values.insert(index, itemValue(fields));
    });
    QObject::connect(&thread, &RefreshThread::showErrorMessage,
                     [&](const QString& title, const QString& text, const QString&) {
                         failure = title + QStringLiteral(": ") + text;
                     });
    thread.start();
    thread.wait();
    // The rows as the assistant's tree shows them, hidden ones left out.
    ConfigModel shown;
    shown.setSkipMap(skipMap);
    shown.showRead(items);
    read.rows = shown.rows();
    if (failure.isEmpty())
        return true;
    result.fail(exitCodeFor(thread.failure(), thread.linkError()), failure);
    return false;
}
