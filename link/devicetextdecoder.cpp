#include "link/devicetextdecoder.h"

#include "link/devicetext.h"

#include <QTextCodec>

namespace {

bool isAscii(const QByteArray& bytes)
{
    for (const char byte : bytes) {
        if (quint8(byte) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

DeviceTextDecoder::DeviceTextDecoder() : gb2312(gb2312Codec()), latin1(latin1Codec())
{ }

// The converters never report a byte run they could not read, so a reading counts as good only
// when it holds no replacement character and encodes back to the very same bytes.
bool DeviceTextDecoder::decodesCleanly(QTextCodec* codec, const QByteArray& bytes, QString* text) const
{
    if (!codec)
        return false;
    *text = codec->toUnicode(bytes);
    return !text->contains(QChar::ReplacementCharacter) && codec->fromUnicode(*text) == bytes;
}

QString DeviceTextDecoder::decode(const QByteArray& bytes) const
{
    // Plain ASCII reads the same in GB2312; most of an instrument's lines are just that.
    if (isAscii(bytes) && gb2312)
        return QString::fromLatin1(bytes.constData(), bytes.size());
    QString text;
    if (decodesCleanly(gb2312, bytes, &text))
        return text;
    if (latin1)
        return latin1->toUnicode(bytes);
    return QString::fromLatin1(bytes.constData(), int(qstrnlen(bytes.constData(), uint(bytes.size()))));
}

QString DeviceTextDecoder::decodeLines(const QByteArray& bytes) const
{
    if (isAscii(bytes) && gb2312)
        return QString::fromLatin1(bytes.constData(), bytes.size());
    QString text;
    if (decodesCleanly(gb2312, bytes, &text))
        return text;
    text.clear();
    int from = 0;
    while (from < bytes.size()) {
        int end = bytes.indexOf('\n', from);
        end = end < 0 ? bytes.size() : end + 1;
        text += decode(bytes.mid(from, end - from));
        from = end;
    }
    return text;
}
