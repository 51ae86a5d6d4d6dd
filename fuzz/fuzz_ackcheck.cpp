// The firmware loader's answers, any bytes: the identify reply names a model only when it holds
// "Find", the model as written and "OK" apart by blanks; a step is acknowledged by its own reply
// and, for the erase, by "Erase OK\r\n" beginning at the reply's first 'E'.
#include "firmware/firmwaretransfer.h"
#include "fuzzcheck.h"
#include "link/devicetext.h"

#include <QRegularExpression>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte cuts the rest into a model and a reply.
    const size_t modelLength = std::min<size_t>(data[0] % 24, size - 1);
    const QString model = QString::fromLatin1(reinterpret_cast<const char*>(data + 1), int(modelLength));
    const QByteArray reply(reinterpret_cast<const char*>(data + 1 + modelLength), int(size - 1 - modelLength));

    const bool matches = FirmwareTransfer::modelMatches(model, reply);
    if (model.isEmpty())
        FUZZ_CHECK(!matches);
    if (matches) {
        // Any Unicode blank separates (the loader's 0xA0 reads as a no-break space).
        const QRegularExpression named(QStringLiteral("Find\\s+%1\\s+OK").arg(QRegularExpression::escape(model)),
                                       QRegularExpression::UseUnicodePropertiesOption);
        FUZZ_CHECK(named.match(decodeDeviceText(reply)).hasMatch());
    }
    // A model made only of printable ASCII is found in the reply that names it, and no longer
    // model that merely starts with it is.
    bool printable = !model.isEmpty();
    for (QChar c : model)
        printable = printable && c.unicode() > 0x20 && c.unicode() < 0x7F;
    if (printable) {
        const QByteArray naming = "\x02!Find " + model.toLatin1() + " OK\r\n";
        FUZZ_CHECK(FirmwareTransfer::modelMatches(model, naming));
        FUZZ_CHECK(!FirmwareTransfer::modelMatches(model + QLatin1Char('X'), naming));
    }

    const QByteArray page = "Page[" + QByteArray::number(data[0]) + "] OK\r\n";
    FUZZ_CHECK(FirmwareTransfer::isAcknowledged(reply, page, false) == (reply == page));
    FUZZ_CHECK(FirmwareTransfer::isAcknowledged(page, page, false));
    const QByteArray erase("Erase OK\r\n");
    if (FirmwareTransfer::isAcknowledged(reply, erase, true) && reply != erase) {
        const int start = reply.indexOf('E');
        FUZZ_CHECK(reply.mid(start, erase.size()) == erase);
    }
    return 0;
}
