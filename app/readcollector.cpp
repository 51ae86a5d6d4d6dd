#include "app/readcollector.h"

#include <utility>

void ReadCollector::start()
{
    collected.clear();
    codec = -1;
}

void ReadCollector::add(int index, const QStringList& fields)
{
    collected.append({index, fields, std::exchange(codec, -1)});
}

QVector<ReadItem> ReadCollector::complete(int itemsRead)
{
    lastCount = itemsRead;
    return std::exchange(collected, {});
}
