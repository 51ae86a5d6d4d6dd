#include "link/devicetext.h"

#include <QTextCodec>

#include <algorithm>
#include <memory>

namespace {

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
