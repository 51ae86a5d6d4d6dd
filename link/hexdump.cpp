#include "link/hexdump.h"

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
