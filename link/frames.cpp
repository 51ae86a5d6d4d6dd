#include "link/frames.h"

#include "link/linkerror.h"

#include <QEventLoop>
#include <QObject>
#include <QTextCodec>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

constexpr char MarkerStart = 0x7E;
constexpr char MarkerEnd = 0x7F;

void appendCrcLowFirst(QByteArray& frame)
{
    const quint16 crc = crc16(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
}

void appendCrcHighFirstAndEnd(QByteArray& frame)
{
    const quint16 crc = crc16(frame);
    frame.append(char(crc >> 8));
    frame.append(char(crc & 0xFF));
    frame.append(MarkerEnd);
}

// GB2312 and Latin-1 both carry the 128 ASCII codes as themselves, and most of an instrument's
// texts are just that: they need no converter (each conversion opens one).
bool isAscii(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char byte) { return quint8(byte) < 0x80; });
}

// GB2312 converters kept between texts, one each way per thread: opening a converter costs more
// than converting an item's reply. The converters never report a byte run they could not read, so
// a reading counts as good only when it holds no replacement character and encodes back to the
// very same bytes. A text that does not read cleanly may leave half a character in the converter,
// so both start afresh after one.
class Gb2312Reader
{
public:
    bool decodesCleanly(QTextCodec* codec, const QByteArray& bytes, QString* text)
    {
        if (!toText) {
            toText = std::make_unique<QTextCodec::ConverterState>();
            toBytes = std::make_unique<QTextCodec::ConverterState>();
        }
        *text = codec->toUnicode(bytes.constData(), bytes.size(), toText.get());
        const bool clean = !text->contains(QChar::ReplacementCharacter)
            && codec->fromUnicode(text->constData(), text->size(), toBytes.get()) == bytes;
        if (!clean) {
            toText.reset();
            toBytes.reset();
        }
        return clean;
    }

private:
    std::unique_ptr<QTextCodec::ConverterState> toText;
    std::unique_ptr<QTextCodec::ConverterState> toBytes;
};


bool encodesCleanly(QTextCodec* codec, const QString& text, QByteArray* bytes)
{
    QTextCodec::ConverterState state(QTextCodec::DefaultConversion);
    *bytes = codec->fromUnicode(text.constData(), text.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

} // namespace

QTextCodec* gb2312Codec()
{
    static QTextCodec* const codec = QTextCodec::codecForName("gb2312");
    return codec;
}

QTextCodec* latin1Codec()
{
    static QTextCodec* const codec = QTextCodec::codecForName("latin1");
    return codec;
}

quint16 crc16(const char* data, int length)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < length; ++i) {
        crc ^= quint8(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

quint16 crc16(const QByteArray& bytes)
{
    return crc16(bytes.constData(), bytes.size());
}

bool checkFrameCrc(const char* data, int length, CrcOrder order)
{
    if (length < 3)
        return false;
    const quint16 crc = crc16(data, length - 2);
    const quint8 first = quint8(data[length - 2]);
    const quint8 second = quint8(data[length - 1]);
    const quint16 carried = order == CrcOrder::HighFirst ? quint16(first << 8 | second) : quint16(second << 8 | first);
    return crc == carried;
}

bool isCompleteReply(const QByteArray& received, quint8 deviceAddress, CrcOrder order)
{
    const int n = received.size();
    if (n == 0)
        return false;
    const char* data = received.constData();
    const bool wholeMarkerFrame =
        data[0] == MarkerStart && n >= 5 && data[n - 1] == MarkerEnd && checkFrameCrc(data, n - 1, order);
    // The loader's replies (CRC high-first) are marker frames whatever the device address: with
    // address 0x7E the address rule would judge them by a count byte they do not have.
    if (order == CrcOrder::HighFirst && wholeMarkerFrame)
        return true;
    // Otherwise the address comes first: with address 0x7E an address-led reply wins over the marker rule.
    if (quint8(data[0]) == deviceAddress)
        return n >= 5 && n == quint8(data[2]) + 5 && checkFrameCrc(data, n, order);
    if (data[0] == MarkerStart)
        return wholeMarkerFrame;
    return checkFrameCrc(data, n, order);
}

QString errorMessage(ExchangeResult result, const QByteArray& reply)
{
    return linkErrorText(linkErrorOf(result, reply));
}

ItemReply checkItemReply(const QByteArray& reply, quint8 deviceAddress)
{
    if (reply.size() <= 4 || quint8(reply.at(0)) != deviceAddress || quint8(reply.at(1)) != 0x03)
        return ItemReply::WrongAddressOrCommand;
    return reply.size() == quint8(reply.at(2)) + 5 ? ItemReply::Valid : ItemReply::WrongLength;
}

QString itemReplyText(const QByteArray& reply, DeviceCodec* codec)
{
    DeviceCodec unused;
    return decodeDeviceText(reply.mid(3, quint8(reply.at(2))), codec ? codec : &unused);
}

QByteArray encodeDeviceText(const QString& text)
{
    if (isAscii(text))
        return text.toLatin1();
    QByteArray bytes;
    if (QTextCodec* codec = gb2312Codec(); codec && encodesCleanly(codec, text, &bytes))
        return bytes;
    if (QTextCodec* codec = latin1Codec(); codec && encodesCleanly(codec, text, &bytes))
        return bytes;
    return text.toLatin1();
}

QByteArray encodeDeviceText(const QString& text, DeviceCodec codec)
{
    if (codec == DeviceCodec::Latin1) {
        QByteArray bytes;
        if (QTextCodec* latin1 = latin1Codec(); latin1 && encodesCleanly(latin1, text, &bytes))
            return bytes;
    }
    // GB2312 is the usual order's first choice; the ASCII fallback only read what Latin-1 carries.
    return encodeDeviceText(text);
}

QString decodeDeviceText(const char* data, int length)
{
    return decodeDeviceText(QByteArray(data, qMax(0, length)));
}

QString decodeDeviceText(const QByteArray& bytes)
{
    DeviceCodec unused;
    return decodeDeviceText(bytes, &unused);
}

QString decodeDeviceText(const QByteArray& bytes, DeviceCodec* used)
{
    QString text;
    *used = DeviceCodec::Gb2312;
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.constData(), bytes.size());
    thread_local Gb2312Reader reader;
    if (QTextCodec* codec = gb2312Codec(); codec && reader.decodesCleanly(codec, bytes, &text))
        return text;
    *used = DeviceCodec::Latin1;
    if (QTextCodec* codec = latin1Codec())
        return codec->toUnicode(bytes);
    *used = DeviceCodec::Ascii;
    return QString::fromLatin1(bytes.constData(), int(qstrnlen(bytes.constData(), uint(bytes.size()))));
}

QByteArray hexDump(const QByteArray& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray text;
    text.reserve(bytes.size() * 3);
    for (char byte : bytes) {
        text.append(digits[quint8(byte) >> 4]);
        text.append(digits[quint8(byte) & 0x0F]);
        text.append(' ');
    }
    return text;
}

bool waitForSignal(QObject* object, const char* signal, int timeoutMs)
{
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer); // a coarse timer may end a 500 ms wait 25 ms early
    timer.setInterval(timeoutMs);
    QEventLoop loop;
    QObject::connect(&timer, SIGNAL(timeout()), &loop, SLOT(quit()), Qt::QueuedConnection);
    QObject::connect(object, signal, &loop, SLOT(quit()), Qt::QueuedConnection);
    timer.start();
    loop.exec();
    QObject::disconnect(&timer, SIGNAL(timeout()), &loop, SLOT(quit()));
    QObject::disconnect(object, signal, &loop, SLOT(quit()));
    if (!timer.isActive())
        return false;
    timer.stop();
    return true;
}

QByteArray buildReadItemRequest(quint8 address, int index)
{
    QByteArray frame;
    frame.append(char(address)).append(char(0x03)).append(char(0x4B)).append(char(index & 0xFF));
    frame.append(char(0x00)).append(char(0x00));
    appendCrcLowFirst(frame);
    return frame;
}

namespace {
QByteArray writeItemFrame(quint8 address, int index, const QByteArray& text)
{
    if (text.size() > MaxItemValueBytes)
        return QByteArray();
    QByteArray frame;
    frame.append(char(address)).append(char(0x0F)).append(char(0x4B)).append(char(index & 0xFF));
    frame.append(char(0x00)).append(char(0x00));
    frame.append(char(text.size() + 1));
    frame.append(text);
    frame.append(char(0x00));
    appendCrcLowFirst(frame);
    return frame;
}
} // namespace

QByteArray buildWriteItemRequest(quint8 address, int index, const QString& value)
{
    return writeItemFrame(address, index, encodeDeviceText(value));
}

QByteArray buildWriteItemRequest(quint8 address, int index, const QString& value, DeviceCodec codec)
{
    return writeItemFrame(address, index, encodeDeviceText(value, codec));
}

QByteArray buildSetClockRequest(quint8 address, const QDateTime& localTime)
{
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    QByteArray frame;
    frame.append(char(address)).append(char(0x0F)).append(char(0x4D)).append(char(0x08));
    frame.append(char(0x00)).append(char(0x03)).append(char(0x07));
    frame.append(char(date.year() % 100)).append(char(date.month())).append(char(date.day()));
    frame.append(char(time.hour())).append(char(time.minute())).append(char(time.second()));
    frame.append(char(date.dayOfWeek()));
    appendCrcLowFirst(frame);
    return frame;
}

QByteArray buildHistoryRequest(const QDate& start, const QDate& end)
{
    // The two length fields say 7 and 4 although nine payload bytes follow; the instrument expects them so.
    QByteArray frame;
    frame.append(MarkerStart).append(char(0x05)).append(char(0x02)).append(char(0x4E)).append(char(0x9F));
    frame.append(char(0x00)).append(char(0x07)).append(char(0x91)).append(char(0x00)).append(char(0x04));
    frame.append(char(start.year() % 100)).append(char(start.month())).append(char(start.day()));
    frame.append(char(end.year() % 100)).append(char(end.month())).append(char(end.day()));
    appendCrcHighFirstAndEnd(frame);
    return frame;
}

QByteArray buildReadDeviceIdRequest()
{
    return QByteArray::fromHex("7E0502293F0000C2C47F");
}

QByteArray buildEraseFlashRequest(quint32 imageSize)
{
    // The size goes low byte first although the frame's length fields are big-endian.
    QByteArray frame = QByteArray::fromHex("7E05022FAC0007910004");
    for (int shift = 0; shift < 32; shift += 8)
        frame.append(char((imageSize >> shift) & 0xFF));
    appendCrcHighFirstAndEnd(frame);
    return frame;
}

QByteArray buildWritePageRequest(quint8 page, const QByteArray& pageBytes)
{
    QByteArray frame = QByteArray::fromHex("7E05022C010404910401");
    frame.append(char(page));
    // The frame always carries a whole page; a short last page is padded with 0xFF, the erased state.
    QByteArray data = pageBytes.left(FirmwarePageSize);
    data.append(QByteArray(FirmwarePageSize - data.size(), char(0xFF)));
    frame.append(data);
    appendCrcHighFirstAndEnd(frame);
    return frame;
}

QByteArray buildEndUpdateRequest()
{
    return QByteArray::fromHex("7E05022A79000053257F");
}

QByteArray setClockAcknowledgement(quint8 address)
{
    return buildAddressReply(address, QByteArray("OK"));
}

QByteArray eraseFlashAcknowledgement()
{
    return buildMarkerReply(QByteArray("Erase OK\r\n") + QByteArray::fromHex("000000C18140"));
}

QByteArray writePageAcknowledgement(int page)
{
    return buildMarkerReply(QStringLiteral("Page[%1] OK\r\n").arg(page).toLatin1());
}

QByteArray buildMarkerReply(const QByteArray& value)
{
    QByteArray frame;
    const int recordLength = value.size() + 3;
    frame.append(MarkerStart).append(char(0x02)).append(char(0x05)).append(char(0x01)).append(char(0x01));
    frame.append(char(recordLength >> 8)).append(char(recordLength & 0xFF));
    frame.append(char(0x01)).append(char(value.size() >> 8)).append(char(value.size() & 0xFF));
    frame.append(value);
    appendCrcHighFirstAndEnd(frame);
    return frame;
}

QByteArray buildAddressReply(quint8 address, const QByteArray& data)
{
    QByteArray frame;
    frame.append(char(address)).append(char(0x03)).append(char(data.size() & 0xFF)).append(data);
    appendCrcLowFirst(frame);
    return frame;
}
