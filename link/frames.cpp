// Placeholder bodies; the device-link work replaces them.
#include "link/frames.h"

quint16 crc16(const char*, int) { return 0; }
quint16 crc16(const QByteArray&) { return 0; }
bool checkFrameCrc(const char*, int, bool) { return false; }
bool isCompleteReply(const QByteArray&, quint8, bool) { return false; }
QString errorMessage(int, const QByteArray&) { return {}; }
QByteArray encodeDeviceText(const QString&) { return {}; }
QString decodeDeviceText(const char*, int) { return {}; }
QString decodeDeviceText(const QByteArray&) { return {}; }
QByteArray hexDump(const QByteArray&) { return {}; }
bool waitForSignal(QObject*, const char*, int) { return false; }
QByteArray buildReadItemRequest(quint8, int) { return {}; }
QByteArray buildWriteItemRequest(quint8, int, const QString&) { return {}; }
QByteArray buildSetClockRequest(quint8, const QDateTime&) { return {}; }
QByteArray buildHistoryRequest(const QDate&, const QDate&) { return {}; }
QByteArray buildReadDeviceIdRequest() { return {}; }
QByteArray buildEraseFlashRequest(quint32) { return {}; }
QByteArray buildWritePageRequest(quint8, const QByteArray&) { return {}; }
QByteArray buildEndUpdateRequest() { return {}; }
QByteArray setClockAcknowledgement(quint8) { return {}; }
QByteArray eraseFlashAcknowledgement() { return {}; }
QByteArray writePageAcknowledgement(int) { return {}; }
