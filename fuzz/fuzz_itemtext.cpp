// Item texts as the instrument sends them and as the tree shows them; enumeration names.
#include "config/itemtext.h"
#include "config/rowtext.h"
#include "fuzzcheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const QStringList fields = splitItemText(text);
    FUZZ_CHECK(!fields.isEmpty());
    FUZZ_CHECK(fields.join(QLatin1Char(':')) == text);
    const QString value = itemValue(fields);
    FUZZ_CHECK(value == value.trimmed());
    const ConfigRow row = rowFromFields(1, fields);
    FUZZ_CHECK(row.valued == (fields.size() >= 2));
    FUZZ_CHECK(row.value == value);

    const ItemEnumeration enumeration = parseEnumeration(text);
    if (enumeration.isEnumeration) {
        FUZZ_CHECK(enumeration.options.size() >= 2);
        FUZZ_CHECK(!enumeration.label.isEmpty());
        const QString choice = chooseOption(enumeration.options, value);
        FUZZ_CHECK(choice.isEmpty() || enumeration.options.contains(choice));
        // The operator's current value preselects itself when it is one of the options.
        for (const QString& option : enumeration.options)
            FUZZ_CHECK(chooseOption(enumeration.options, option) == option);
    }
    return 0;
}
