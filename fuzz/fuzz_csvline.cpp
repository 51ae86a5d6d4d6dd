// One line of a configuration CSV file: any line is read or refused without harm, and a row
// written out reads back with its index, name and value, commas and quotes included.
#include "config/itemcsv.h"
#include "fuzzcheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    int index = -1;
    QStringList fields;
    if (parseCsvLine(line, &index, &fields)) {
        FUZZ_CHECK(index >= 0);
        FUZZ_CHECK(fields.size() == 1 || fields.size() == 2);
    }

    // The input as a row: a name and a value on one line; commas and double quotes are quoted on
    // the way out and must come back as they were.
    QString name = line.section(QLatin1Char('|'), 0, 0).simplified();
    const QString value = line.section(QLatin1Char('|'), 1).simplified();
    if (name.isEmpty() || name.at(0).isDigit())
        name.prepend(QLatin1Char('n'));
    const int rowIndex = size > 0 ? data[0] : 2;
    const QString written = formatCsvLine(ConfigRow{rowIndex, name, value, true});
    int readIndex = -1;
    QStringList readFields;
    FUZZ_CHECK(parseCsvLine(written, &readIndex, &readFields));
    FUZZ_CHECK(readIndex == rowIndex);
    FUZZ_CHECK(readFields.value(0) == name.trimmed());
    if (rowIndex > 1)
        FUZZ_CHECK(readFields.value(1) == value.trimmed());
    return 0;
}
