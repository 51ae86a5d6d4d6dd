#pragma once

#include "config/configrow.h"

#include <QStringList>
#include <QVector>

// The rows of the read under way, collected aside: the window shows them only when the read
// completes, so that a failed or stopped read leaves the tree as it was.
class ReadCollector
{
public:
    // A new read: rows of an earlier one are void.
    void start();
    // How the next item's text was decoded (told just before its item).
    void setCodec(int told) { codec = told; }
    void add(int index, const QStringList& fields);
    int count() const { return int(collected.size()); }
    // The items of the last complete read: the next read's expected total (0 before any).
    int expected() const { return lastCount; }
    // The read completed with itemsRead items: its rows, handed over.
    QVector<ReadItem> complete(int itemsRead);
    void discard() { collected.clear(); }

    // The instrument stayed silent (a failure then says where to look).
    bool noAnswer = false;

private:
    QVector<ReadItem> collected;
    int codec = -1;
    int lastCount = 0;
};
