// The link's view of received bytes: completeness, CRC, the item-reply check, error texts.
#include "fuzzcheck.h"
#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"
#include "link/hexdump.h"
#include "link/linkerror.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte is the device address; the rest is what arrived.
    const quint8 address = data[0];
    const QByteArray received(reinterpret_cast<const char*>(data + 1), int(size - 1));
    for (CrcOrder order : {CrcOrder::LowFirst, CrcOrder::HighFirst}) {
        const bool complete = isCompleteReply(received, address, order);
        // The loader's replies (CRC high-first) are whole marker frames (0x7E ... CRC 0x7F) whatever
        // the device address; every other reply led by the address carries its length.
        const int n = received.size();
        const bool loaderFrame = order == CrcOrder::HighFirst && n >= 5 && received.at(0) == '\x7E'
            && received.at(n - 1) == '\x7F' && checkFrameCrc(received.constData(), n - 1, order);
        if (complete && n > 0 && quint8(received.at(0)) == address && !loaderFrame)
            FUZZ_CHECK(n == quint8(received.at(2)) + 5);
        checkFrameCrc(received.constData(), received.size(), order);
    }
    const ItemReply shape = checkItemReply(received, address);
    if (shape == ItemReply::Valid) {
        DeviceCodec codec;
        const QString text = itemReplyText(received, &codec);
        FUZZ_CHECK(text.size() <= quint8(received.at(2)));
    }
    for (ExchangeResult result : {ExchangeOk, ExchangeSendFailed, ExchangeNoReply, ExchangeStopped})
        linkErrorOf(result, received);
    FUZZ_CHECK(hexDump(received).size() == received.size() * 3);
    return 0;
}
