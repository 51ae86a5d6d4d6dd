// The simulator's cutting of a serial byte stream into requests: every frame it hands out is
// whole and valid, and it never hands out more bytes than came in, however the bytes are split.
#include "fuzzcheck.h"
#include "link/frames.h"
#include "sim/requestassembler.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte sets the size of the pieces the line delivers.
    const int piece = 1 + data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), int(size - 1));
    RequestAssembler assembler;
    int handedOut = 0;
    for (int at = 0; at < bytes.size(); at += piece) {
        assembler.feed(bytes.mid(at, piece));
        for (QByteArray frame = assembler.take(); !frame.isEmpty(); frame = assembler.take()) {
            FUZZ_CHECK(RequestAssembler::frameLength(frame) == frame.size());
            const bool marker = frame.startsWith('\x7E') && frame.endsWith('\x7F')
                && checkFrameCrc(frame.constData(), frame.size() - 1, CrcOrder::HighFirst);
            FUZZ_CHECK(marker || checkFrameCrc(frame.constData(), frame.size(), CrcOrder::LowFirst));
            handedOut += frame.size();
        }
    }
    FUZZ_CHECK(handedOut <= bytes.size());
    return 0;
}
