// The contents of a package cell, decoded: any envelope is opened or refused without harm, and a
// map that opens is written back and reads again as the same map with the types it was read as.
#include "firmware/ddbserver.h"
#include "firmware/dencryptinfo.h"
#include "firmware/packagewriter.h"
#include "fuzzcheck.h"

#include <QSet>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses: an envelope as it stands, or the rest as a payload sealed with its
    // true digest, so the map reader is reached past the MD5 check.
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, int(size - 1));
    const QByteArray envelope = (data[0] & 1) ? PackageWriter::envelope(rest) : rest;

    QMap<QString, QVariant> fields{{QStringLiteral("untouched"), 1}};
    const DDbServer::Envelope opened = DDbServer::openEnvelope(envelope, &fields);
    if (opened != DDbServer::Envelope::Opened) {
        FUZZ_CHECK(fields.size() == 1 && fields.contains(QStringLiteral("untouched")));
        return 0;
    }
    const QStringList keys = fields.keys();
    FUZZ_CHECK(QSet<QString>(keys.cbegin(), keys.cend()).size() == keys.size());
    FUZZ_CHECK(fields.value(KeyModel, QString()).userType() == QMetaType::QString);
    FUZZ_CHECK(fields.value(KeyImage, QByteArray()).userType() == QMetaType::QByteArray);

    QMap<QString, QVariant> again;
    FUZZ_CHECK(DDbServer::openEnvelope(PackageWriter::envelope(PackageWriter::payload(fields)), &again)
               == DDbServer::Envelope::Opened);
    FUZZ_CHECK(again.keys() == fields.keys());
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        const QVariant& back = again.value(it.key());
        FUZZ_CHECK(back.userType() == it.value().userType());
        // A double NaN is the one value that differs from itself.
        if (back.userType() != QMetaType::Double)
            FUZZ_CHECK(back == it.value());
    }
    return 0;
}
