// The link settings from any config.ini: loading never fails, and saving what was loaded and
// loading again gives the same settings (a file the operator edited by hand is read the same way
// after the assistant has saved it).
#include "fuzzcheck.h"
#include "settings/config.h"
#include "settings/linksettings.h"
#include "settings/singleton.h"

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
    singleton<Config>::destroy();
    const LinkSettings loaded = LinkSettings::load();
    // Saved in another mode and back: every key is written in the assistant's own form.
    LinkSettings other = loaded;
    other.useUdp = !loaded.useUdp;
    other.deviceAddress = loaded.deviceAddress == 1 ? 2 : 1;
    other.udpPort = loaded.udpPort + QLatin1Char('0');
    other.save();
    loaded.save();
    singleton<Config>::destroy();
    const LinkSettings reloaded = LinkSettings::load();
    FUZZ_CHECK(reloaded == loaded);
    singleton<Config>::destroy();
    return 0;
}
