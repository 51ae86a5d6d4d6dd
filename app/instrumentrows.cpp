#include "app/instrumentrows.h"

#include "config/configmodel.h"
#include "config/configwriter.h"
#include "config/itemtext.h"

namespace {

bool isNameRow(const QString& name)
{
    return name == QStringLiteral("设备名称");
}

bool isSerialRow(const QString& name)
{
    static const QStringList names{QStringLiteral("序列号"), QStringLiteral("设备序列号"), QStringLiteral("SN")};
    return names.contains(name) || name.compare(QLatin1String("serial number"), Qt::CaseInsensitive) == 0;
}

void takeFirst(QString& kept, const QString& value)
{
    if (kept.isEmpty())
        kept = value;
}

} // namespace

bool isModelRow(const QString& name)
{
    const QString trimmed = name.trimmed();
    return trimmed == QStringLiteral("设备型号") || trimmed.compare(QLatin1String("model"), Qt::CaseInsensitive) == 0;
}

InstrumentIdentity identityOf(const QVector<ReadItem>& items)
{
    InstrumentIdentity identity;
    for (const ReadItem& item : items) {
        const QString name = item.fields.value(0).trimmed();
        if (isNameRow(name))
            takeFirst(identity.name, itemValue(item.fields));
        else if (isModelRow(name))
            takeFirst(identity.model, itemValue(item.fields));
        else if (isSerialRow(name))
            takeFirst(identity.serial, itemValue(item.fields));
    }
    return identity;
}

QString instrumentTitle(const QString& application, const QString& model, const QString& serial)
{
    const QString instrument = QStringList{model, serial}.filter(QRegExp(QStringLiteral("\\S"))).join(QLatin1Char(' '));
    return instrument.isEmpty() ? application : application + QStringLiteral(" - ") + instrument;
}

void setDeviceTime(ConfigModel& rows, const QString& time)
{
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (rows.row(row).name.trimmed() != QStringLiteral("设备时间"))
            continue;
        ItemWriteOutcome answer;
        answer.valued = true;
        answer.value = time;
        answer.kept = true;
        rows.applyAnswer(row, answer);
    }
}
