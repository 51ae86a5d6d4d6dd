#pragma once

#include "sim/itemstore.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

// What the simulated instrument holds and how it answers one request frame, apart from any
// transport, timing or fault: items, clock, debug switch, firmware loader. Not thread-safe; the
// simulator guards it.
class InstrumentCore
{
public:
    // The requests the instrument knows, in the numbering of InstrumentSimulator::Command.
    enum Command { Unknown = -1, ReadItem, WriteItem, SetClock, QueryHistory, ReadDeviceId, EraseFlash, WritePage, EndUpdate };
    static constexpr int MonitorIndex = 255; // WriteItem at this index switches the debug output

    struct Response
    {
        int command = Unknown; // Unknown: not a request for this instrument, say nothing
        QByteArray reply;      // empty: no reply (EndUpdate, a page out of sequence)
        bool stream = false;   // a history query: the records follow as a stream
    };

    InstrumentCore();

    Response respond(const QByteArray& frame);

    quint8 address = 0xFF;
    QString modelOverride;
    // What the version row ("固件版本") shows once a whole image has been written and EndUpdate
    // came; empty: the row keeps its value.
    QString flashedVersion;
    // How long the instrument stays silent to item requests after that EndUpdate (its restart).
    int restartMs = 0;

    void setItems(const ItemStore& items);
    ItemStore& itemStore() { return items; }
    // The item's text as the instrument sends it.
    QByteArray itemBytes(int index) const { return shownBytes(index); }
    // The item texts with the clock item showing the running clock.
    QStringList itemTexts() const;
    QString model() const;
    QDateTime clock() const;
    void setClock(const QDateTime& time);
    bool debugOn() const { return debug; }
    QByteArray image() const { return written.left(int(imageSize)); }
    QByteArray pages() const { return written; }
    quint32 erasedSize() const { return imageSize; }
    int endUpdateCount() const { return endUpdates; }

private:
    Response respondAddressLed(const QByteArray& frame);
    Response respondMarker(const QByteArray& frame);
    QByteArray itemReply(const QByteArray& text) const;
    QString shownText(int index) const;
    QByteArray shownBytes(int index) const;

    ItemStore items;
    QDateTime clockBase;
    QElapsedTimer clockRunning;
    bool debug = false;
    QByteArray written;
    quint32 imageSize = 0;
    int pagesWritten = 0;
    int endUpdates = 0;
    QElapsedTimer restarted; // valid from the EndUpdate that ended a whole flash
};
