#include "sim/instrumentcore.h"

#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"

#include <algorithm>

namespace {

const QString ClockFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
constexpr int LongestItemText = 255; // the count byte of a reply

} // namespace

InstrumentCore::InstrumentCore()
{
    setClock(QDateTime::currentDateTime());
}

void InstrumentCore::setItems(const ItemStore& newItems)
{
    items = newItems;
    // The clock item's value in the list is where the clock starts.
    const QDateTime shown = QDateTime::fromString(items.value(ItemStore::ClockItemName), ClockFormat);
    if (shown.isValid())
        setClock(shown);
}

QStringList InstrumentCore::itemTexts() const
{
    QStringList texts;
    for (int i = 0; i < items.size(); ++i)
        texts.append(shownText(i));
    return texts;
}

QString InstrumentCore::shownText(int index) const
{
    const QString text = items.text(index);
    const QString clockPrefix = ItemStore::ClockItemName + QLatin1Char(':');
    if (text.startsWith(clockPrefix))
        return clockPrefix + clock().toString(ClockFormat);
    return text;
}

QByteArray InstrumentCore::shownBytes(int index) const
{
    if (items.text(index).startsWith(ItemStore::ClockItemName + QLatin1Char(':')))
        return encodeDeviceText(shownText(index));
    return items.bytes(index);
}

QString InstrumentCore::model() const
{
    return modelOverride.isEmpty() ? items.value(ItemStore::ModelItemName).trimmed() : modelOverride;
}

QDateTime InstrumentCore::clock() const
{
    return clockBase.addMSecs(clockRunning.elapsed());
}

void InstrumentCore::setClock(const QDateTime& time)
{
    // Held at the zone's offset of this moment, as an instrument's own clock runs on: a local time
    // would look the zone up (a file read) for every stamp of a debug line.
    clockBase = time.toOffsetFromUtc(time.offsetFromUtc());
    clockRunning.start();
}

QByteArray InstrumentCore::itemReply(const QByteArray& text) const
{
    return buildAddressReply(address, text.left(LongestItemText));
}

InstrumentCore::Response InstrumentCore::respond(const QByteArray& frame)
{
    if (frame.startsWith('\x7E') && frame.endsWith('\x7F') && checkFrameCrc(frame.constData(), frame.size() - 1, CrcOrder::HighFirst))
        return respondMarker(frame);
    return respondAddressLed(frame);
}

InstrumentCore::Response InstrumentCore::respondAddressLed(const QByteArray& frame)
{
    Response out;
    if (frame.size() < 8 || quint8(frame[0]) != address)
        return out;
    const quint8 command = quint8(frame[1]);
    const quint8 group = quint8(frame[2]);
    const int index = quint8(frame[3]);
    if (command == 0x03 && group == 0x4B) {
        out.command = ReadItem;
        if (restarted.isValid() && !restarted.hasExpired(restartMs))
            return out; // still starting its new firmware
        out.reply = itemReply(shownBytes(index)); // past the end: the empty reply that ends the list
    } else if (command == 0x0F && group == 0x4B) {
        out.command = WriteItem;
        // The text ends at its NUL, which the count byte counts.
        const QByteArray value = frame.mid(7, qMax(0, quint8(frame[6]) - 1));
        if (index == MonitorIndex) {
            if (value == "1" || value == "0")
                debug = value == "1";
            out.reply = itemReply(debug ? QByteArray("DEBUG:1") : QByteArray("DEBUG:0"));
        } else {
            out.reply = itemReply(items.write(index, value));
        }
    } else if (command == 0x0F && group == 0x4D && frame.size() >= 16) {
        out.command = SetClock;
        const QDate date{2000 + quint8(frame[7]), quint8(frame[8]), quint8(frame[9])};
        const QTime time{quint8(frame[10]), quint8(frame[11]), quint8(frame[12])};
        if (date.isValid() && time.isValid()) {
            setClock(QDateTime(date, time));
            out.reply = setClockAcknowledgement(address);
        } else {
            out.reply = itemReply(QByteArray("ER"));
        }
    }
    return out;
}

InstrumentCore::Response InstrumentCore::respondMarker(const QByteArray& frame)
{
    Response out;
    const int code = quint8(frame[3]) << 8 | quint8(frame[4]);
    switch (code) {
    case 0x4E9F:
        out.command = QueryHistory;
        out.stream = frame.size() >= 19;
        break;
    case 0x293F:
        out.command = ReadDeviceId;
        out.reply = buildMarkerReply(encodeDeviceText(QStringLiteral("!Find %1 OK\r\n").arg(model())));
        break;
    case 0x2FAC:
        out.command = EraseFlash;
        if (frame.size() >= 17) {
            restarted.invalidate();
            imageSize = quint32(quint8(frame[10])) | quint32(quint8(frame[11])) << 8
                        | quint32(quint8(frame[12])) << 16 | quint32(quint8(frame[13])) << 24;
            written.clear();
            pagesWritten = 0;
            out.reply = eraseFlashAcknowledgement();
        }
        break;
    case 0x2C01: {
        out.command = WritePage;
        if (frame.size() != 11 + FirmwarePageSize + 3)
            break;
        // Page numbers wrap at 256; the number just written again rewrites that page.
        const int page = quint8(frame[10]);
        int slot = pagesWritten;
        if (pagesWritten > 0 && page == (pagesWritten - 1) % 256)
            slot = pagesWritten - 1;
        else if (page == pagesWritten % 256)
            ++pagesWritten;
        else
            break; // out of sequence: no acknowledgement
        const int offset = slot * FirmwarePageSize;
        if (written.size() < offset + FirmwarePageSize)
            written.resize(offset + FirmwarePageSize);
        std::copy_n(frame.constData() + 11, FirmwarePageSize, written.data() + offset);
        out.reply = writePageAcknowledgement(page);
        break;
    }
    case 0x2A79:
        out.command = EndUpdate;
        ++endUpdates;
        // A whole image ends the update: the instrument restarts into it.
        if (imageSize > 0 && quint32(pagesWritten) * FirmwarePageSize >= imageSize) {
            if (!flashedVersion.isEmpty())
                items.setValue(ItemStore::VersionItemName, flashedVersion);
            if (!restarted.isValid())
                restarted.start();
        }
        break;
    default:
        break;
    }
    return out;
}
