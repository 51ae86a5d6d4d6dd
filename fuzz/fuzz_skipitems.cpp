// A SkipItems file of any bytes, then rows from the instrument against the rules it gives.
#include "config/skipitems.h"
#include "fuzzcheck.h"

#include <QBuffer>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const SkipMap map = readSkipItems(file);
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        FUZZ_CHECK(!it.key().isEmpty() && it.key() == stripSpaces(it.key()));

    // Each line of the file also stands for a row "name:value" as the read hands it over.
    HeldRow pending;
    int index = 0;
    int shown = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(QLatin1Char(':'));
        HeldRow released;
        const bool skipped = skipRow(map, index, fields, pending, released);
        if (released.present)
            ++shown;
        if (!skipped)
            ++shown;
        if (fields.size() < 2)
            FUZZ_CHECK(!skipped);
        ++index;
    }
    FUZZ_CHECK(shown <= index);
    return 0;
}
