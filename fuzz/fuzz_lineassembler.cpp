// The line assembler over any stream cut into any reads: it yields exactly the lines a byte-by-byte
// reading would (a line feed ends a line; a line without one is cut at the bound), and nothing is
// lost or doubled. The first byte chooses the bound, small, so that short inputs meet it; one run
// in each 256 uses the real one with a long piece.
#include "fuzzcheck.h"
#include "linesplit/linesplitter.h"

#include <cstdint>

namespace {

// The same rule, one byte at a time.
struct Reference
{
    int bound;
    QList<QByteArray> lines;
    QByteArray current;

    void feed(const QByteArray& bytes)
    {
        for (char byte : bytes) {
            if (byte != '\n' && current.size() == bound) {
                lines.append(current);
                current.clear();
            }
            current.append(byte);
            if (byte == '\n') {
                lines.append(current);
                current.clear();
            }
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool real = data[0] == 0xFF;
    const int bound = real ? LineSplitter::MaxLineBytes : data[0] % 64 + 1;
    LineSplitter assembler(bound);
    Reference reference{bound, {}, {}};
    QList<QByteArray> lines;
    // Reads: a length byte, then up to that many bytes; with the real bound, the first read is
    // repeated until it passes the bound.
    size_t at = 1;
    while (at < size) {
        const size_t length = data[at++];
        const size_t taken = std::min(length, size - at);
        QByteArray read(reinterpret_cast<const char*>(data + at), int(taken));
        at += taken;
        if (real && at == 2 + taken && !read.isEmpty()) // the first read
            read = read.repeated(LineSplitter::MaxLineBytes / read.size() + 1);
        lines += assembler.feed(read);
        reference.feed(read);
        FUZZ_CHECK(assembler.pending().size() <= bound);
    }
    FUZZ_CHECK(lines == reference.lines);
    FUZZ_CHECK(assembler.pending() == reference.current);
    for (const QByteArray& line : lines) {
        FUZZ_CHECK(!line.isEmpty());
        FUZZ_CHECK(line.indexOf('\n') < 0 || line.indexOf('\n') == line.size() - 1);
        FUZZ_CHECK(LineSplitter::isCut(line) ? line.size() == bound : line.size() <= bound + 1);
    }
    const QByteArray rest = assembler.flush();
    FUZZ_CHECK(rest == reference.current && assembler.isEmpty());
    return 0;
}
