#include "config/readonlyitems.h"

#include <QStringList>

namespace {

bool namedIn(const QString& name, const QStringList& chinese, const QStringList& english)
{
    if (chinese.contains(name))
        return true;
    for (const QString& word : english)
        if (name.compare(word, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

ReadOnlyItem readOnlyItem(const QString& name)
{
    const QString bare = name.trimmed();
    // Readings of the moment: "当前温度", "当前湿度", ...
    if (bare.startsWith(QStringLiteral("当前")))
        return ReadOnlyItem::Measured;
    // The names the window already takes for the instrument's model, serial number and firmware.
    static const QStringList identity{QStringLiteral("序列号"),   QStringLiteral("设备序列号"),
                                      QStringLiteral("设备型号"), QStringLiteral("固件版本"),
                                      QStringLiteral("软件版本"), QStringLiteral("程序版本")};
    static const QStringList identityEnglish{QStringLiteral("SN"), QStringLiteral("serial number"),
                                             QStringLiteral("model"), QStringLiteral("firmware version")};
    if (namedIn(bare, identity, identityEnglish))
        return ReadOnlyItem::Identity;
    if (bare == QStringLiteral("设备时间"))
        return ReadOnlyItem::Clock;
    return ReadOnlyItem::None;
}
