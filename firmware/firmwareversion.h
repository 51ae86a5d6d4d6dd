#pragma once

#include <QMap>
#include <QString>

// Firmware versions as instruments and packages write them: "V2.1.7", "2.1", "v2.2.0-beta2".
// They are ordered by their numbers in turn (V2.1.10 is newer than V2.1.9, 2.1 is 2.1.0); a text
// after the numbers breaks a tie: a pre-release word (alpha, beta, rc, pre, dev, test, 测试) ranks
// below the plain release, any other text (a patch letter, a build) above it.
namespace FirmwareVersion {

// How a package's version stands to the instrument's.
enum class Order {
    Newer, // an upgrade
    Same, // the instrument gets what it has
    Older, // a downgrade
    Unknown // either has no number, or the instrument's is not known
};

Order compare(const QString& package, const QString& instrument);

// A version written in a text such as a catalogue entry's name ("ZQ-200 V2.2.0" gives "V2.2.0");
// empty when it holds none.
QString foundIn(const QString& text);

// Whether a catalogue entry's name names model as a word of its own ("ZQ-200 V2.2.0" names
// "ZQ-200", not "ZQ-20").
bool namesModel(const QString& name, const QString& model);

// Of the entries (name to version) that name model, the one with the highest version; empty when
// none names it or none has a version.
QString newestFor(const QMap<QString, QString>& versions, const QString& model);

// Whether a configuration row of this name carries the firmware version ("固件版本", "软件版本",
// "版本", "Firmware version").
bool isVersionRow(const QString& name);

} // namespace FirmwareVersion
