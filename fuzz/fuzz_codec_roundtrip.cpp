// Whatever bytes the instrument sends, decoding them and encoding the text with the conversion
// that read it gives the very same bytes: an unchanged value goes back byte for byte.
#include "fuzzcheck.h"
#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    DeviceCodec codec = DeviceCodec::Ascii;
    const QString text = decodeDeviceText(bytes, &codec);
    FUZZ_CHECK(codec != DeviceCodec::Ascii);
    FUZZ_CHECK(encodeDeviceText(text, codec) == bytes);
    // The same bytes inside a WriteItem frame, when they fit its count byte.
    const QByteArray frame = buildWriteItemRequest(0x01, 7, text, codec);
    if (bytes.size() <= MaxItemValueBytes) {
        FUZZ_CHECK(frame.mid(7, bytes.size()) == bytes);
        FUZZ_CHECK(checkFrameCrc(frame.constData(), frame.size(), CrcOrder::LowFirst));
    } else {
        FUZZ_CHECK(frame.isEmpty());
    }
    // An item reply carrying them decodes to the same text.
    if (bytes.size() <= 255)
        FUZZ_CHECK(itemReplyText(buildAddressReply(0x01, bytes)) == text);
    return 0;
}
