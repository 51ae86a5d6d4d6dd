#include "link/linktimings.h"

#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex mutex;
LinkTimings installed;
} // namespace

LinkTimings LinkTimings::current()
{
    QMutexLocker locker(&mutex);
    return installed;
}

void LinkTimings::install(const LinkTimings* timings)
{
    QMutexLocker locker(&mutex);
    installed = timings ? *timings : LinkTimings();
}
