// The history table's field splitting and row fitting on any record text: fields are never empty
// and hold no separator, and a row fitted to K columns has at most K cells, none of them lost
// but the ones dropped from its end.
#include "fuzzcheck.h"
#include "history/recordtable.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int requested = data[0] % 40; // the table's column count, as a chosen K
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), int(size - 1));
    const int counted = countColumns(text);
    FUZZ_CHECK(counted >= 0);

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList fields = splitFields(line);
        for (const QString& field : fields) {
            FUZZ_CHECK(!field.isEmpty());
            FUZZ_CHECK(splitFields(field) == QStringList{field});
        }
        for (int columns : {requested, counted}) {
            const QStringList row = fitRow(line, columns);
            FUZZ_CHECK(row.size() <= columns);
            // Too many fields: the date and the time share the first cell; the rest keep their order.
            QStringList expected = fields;
            if (expected.size() > std::max(columns, 2)) {
                expected[0] += QLatin1Char(' ') + expected.at(1);
                expected.removeAt(1);
            }
            FUZZ_CHECK(row == expected.mid(0, columns));
        }
        FUZZ_CHECK(fitRow(QStringRef(&line), requested) == fitRow(line, requested));
    }
    return 0;
}
