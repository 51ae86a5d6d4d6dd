// Placeholder body; the configuration work replaces it.
#include "config/refreshthread.h"

void RefreshThread::run() {}
void RefreshThread::readAllItems(LinkChannel&) {}
bool RefreshThread::checkItemReply(int, LinkChannel&, int, const QString&, const QString&, QByteArray&) { return true; }
