#include "config/devicetextcheck.h"

#include "link/devicetext.h"

#include <QTextCodec>
#include <QVector>

#include <algorithm>

namespace {

bool encodesCleanly(QTextCodec* codec, const QString& text)
{
    if (!codec)
        return false;
    QTextCodec::ConverterState state(QTextCodec::DefaultConversion);
    codec->fromUnicode(text.constData(), text.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

}

QString unencodableCharacter(const QString& text)
{
    // Both encodings carry ASCII as it is, without a converter.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return QString();
    if (encodesCleanly(gb2312Codec(), text) || encodesCleanly(latin1Codec(), text))
        return QString();
    // Neither encoding carries the whole text: name the first character GB2312 cannot carry (in a
    // mix of Chinese and, say, 'é', that is the 'é').
    const QVector<uint> characters = text.toUcs4();
    for (uint character : characters) {
        const QString one = QString::fromUcs4(&character, 1);
        if (!encodesCleanly(gb2312Codec(), one))
            return one;
    }
    return text.left(1);
}
