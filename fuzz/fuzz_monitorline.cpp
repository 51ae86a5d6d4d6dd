// The monitor on any bytes: the debug command's reply is found only when the bytes end in a whole
// item reply of this instrument, and every display form of a line is made without harm, the
// combined form on one display line.
#include "fuzzcheck.h"
#include "link/devicetext.h"
#include "link/frames.h"
#include "link/hexdump.h"
#include "monitor/debugreply.h"
#include "monitor/displayform.h"

#include <cstdint>

namespace {

// A whole reply of this instrument at the end of received: address, 0x03, n, n bytes, CRC low first.
bool endsInReply(const QByteArray& received, quint8 address)
{
    for (int n = 0; n <= 255; ++n) {
        const int length = n + 5;
        if (length > received.size())
            break;
        const QByteArray frame = received.right(length);
        if (quint8(frame.at(0)) != address || quint8(frame.at(1)) != 0x03 || quint8(frame.at(2)) != n)
            continue;
        const quint16 crc = crc16(frame.constData(), length - 2);
        if (quint8(frame.at(length - 2)) == (crc & 0xFF) && quint8(frame.at(length - 1)) == crc >> 8)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const quint8 address = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), int(size - 1));
    FUZZ_CHECK(endsWithItemReply(bytes, address) == endsInReply(bytes, address));

    // Debug lines ahead of a reply do not hide it.
    QByteArray reply = bytes.left(40);
    reply.prepend(char(reply.size())).prepend(char(0x03)).prepend(char(address));
    const quint16 crc = crc16(reply.constData(), reply.size());
    reply.append(char(crc & 0xFF)).append(char(crc >> 8));
    FUZZ_CHECK(endsWithItemReply(bytes + reply, address));

    const QString time = QStringLiteral("[2026-12-07 10:20:30.045]");
    const QString stamp = time + QStringLiteral("[%1] : ").arg(bytes.size());
    const QString hex = displayLine(bytes, DisplayForm::Hex, time);
    FUZZ_CHECK(hex == stamp + QString::fromLatin1(hexDump(bytes)) + QStringLiteral("\r\n"));
    FUZZ_CHECK(hex.size() == stamp.size() + 3 * bytes.size() + 2);

    const QString both = displayLine(bytes, DisplayForm::OriginalHex, time);
    FUZZ_CHECK(both.startsWith(stamp) && both.endsWith(QStringLiteral(" )\r\n")));
    const QString oneLine = both.left(both.size() - 2);
    FUZZ_CHECK(!oneLine.contains(QLatin1Char('\r')) && !oneLine.contains(QLatin1Char('\n')));

    FUZZ_CHECK(displayLine(bytes, DisplayForm::Original, time) == decodeDeviceText(bytes));
    return 0;
}
