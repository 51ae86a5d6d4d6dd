// The link settings from any config.ini: loading never fails, the check lets through only values
// in range, and saving what was loaded and loading again gives the same settings (a file the
// operator edited by hand is read the same way after the assistant has saved it).
#include "fuzzcheck.h"
#include "link/texts/linktexts.h"
#include "settings/config.h"
#include "settings/linksettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

bool operator==(const LinkSettings& a, const LinkSettings& b)
{
    return a.useUdp == b.useUdp && a.serialPort == b.serialPort && a.baudRate == b.baudRate && a.dataBits == b.dataBits
        && a.parity == b.parity && a.stopBits == b.stopBits && a.sendRts == b.sendRts && a.sendDtr == b.sendDtr
        && a.udpAddress == b.udpAddress && a.udpPort == b.udpPort && a.deviceAddress == b.deviceAddress;
}

// Printed when a check fails, so that the finding says which setting moved.
void print(const char* name, const LinkSettings& s)
{
    std::fprintf(stderr, "%s: udp %d serial '%s' %d %d %d %d rts %d dtr %d address '%s' port '%s' device %d\n", name,
        s.useUdp, qPrintable(s.serialPort), s.baudRate, s.dataBits, s.parity, s.stopBits, s.sendRts, s.sendDtr,
        qPrintable(s.udpAddress), qPrintable(s.udpPort), s.deviceAddress);
}

} // namespace

// config.ini lies in the working directory: a scratch one for each input, in memory where the
// system offers it, and back afterwards (libFuzzer keeps its findings in relative paths).
class InScratch
{
public:
    InScratch() : previous(QDir::currentPath()) { QDir::setCurrent(dir().path()); }
    ~InScratch() { QDir::setCurrent(previous); }

private:
    static const QTemporaryDir& dir()
    {
        static QTemporaryDir scratch(
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/zq-fuzz-XXXXXX") : QString());
        return scratch;
    }
    QString previous;
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InScratch scratch;
    {
        QFile file(QStringLiteral("config.ini"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const LinkSettings loaded = LinkSettings::load();
    // Settings that pass the check are in range; a refusal names the key and the value.
    for (LinkSettings::Check check : {LinkSettings::Check::Complete, LinkSettings::Check::Stored}) {
        const LinkSettings::Problem problem = loaded.validate(check);
        if (!problem.ok()) {
            FUZZ_CHECK(!problem.key.isEmpty() && settingProblemText(problem).contains(problem.key));
            continue;
        }
        FUZZ_CHECK(loaded.deviceAddress >= 1 && loaded.deviceAddress <= 255);
        if (loaded.useUdp && !loaded.udpPort.isEmpty())
            FUZZ_CHECK(loaded.udpPort.toInt() >= 1 && loaded.udpPort.toInt() <= 65535);
        if (!loaded.useUdp)
            FUZZ_CHECK(loaded.dataBits >= 5 && loaded.dataBits <= 8);
    }
    // Saved in another mode and back: every key is written in the assistant's own form.
    LinkSettings other = loaded;
    other.useUdp = !loaded.useUdp;
    other.deviceAddress = loaded.deviceAddress == 1 ? 2 : 1;
    other.udpPort = loaded.udpPort + QLatin1Char('0');
    other.save();
    loaded.save();
    const LinkSettings reloaded = LinkSettings::load();
    if (!(reloaded == loaded)) {
        print("loaded", loaded);
        print("reloaded", reloaded);
        QFile written(QStringLiteral("config.ini"));
        if (written.open(QIODevice::ReadOnly))
            std::fprintf(stderr, "config.ini as saved:\n%s\n", written.readAll().constData());
    }
    FUZZ_CHECK(reloaded == loaded);
    // A text that is no number stays in the file as it was, unless its key was written (the device
    // address, rewritten above, then holds the number it read as).
    QHash<QString, QString> kept = loaded.unreadable;
    kept.remove(QStringLiteral("device/address"));
    FUZZ_CHECK(reloaded.unreadable == kept);
    return 0;
}
