#include "config/texts/comparisontexts.h"

QString ComparisonTexts::warning(const ConfigComparison& comparison)
{
    if (comparison.foreignModel) {
        const QString fileModel = comparison.file.model.isEmpty() ? tr("(未知)") : comparison.file.model;
        const QString ownModel = comparison.instrument.model.isEmpty() ? tr("(未知)") : comparison.instrument.model;
        return tr("此文件来自另一型号的设备 (文件: %1, 已连接的设备: %2)。%3 项的名称与设备不符, 不能导入。")
            .arg(fileModel, ownModel)
            .arg(comparison.refused().size());
    }
    if (comparison.foreignSerial) {
        return tr("此文件来自另一台设备 (文件的序列号: %1, 已连接的设备: %2)。")
            .arg(comparison.file.serial, comparison.instrument.serial);
    }
    return QString();
}

QString ComparisonTexts::reason(const ComparedRow& row)
{
    switch (row.verdict) {
    case RowVerdict::Offered:
        if (ConfigIdentity::isDeviceTime(row.fileName))
            return tr("设备时钟, 默认不写入");
        return row.checked ? QString() : tr("上次写入时设备未接受");
    case RowVerdict::Unchanged:
        return tr("相同");
    case RowVerdict::Identity:
        return tr("设备标识, 不写入");
    case RowVerdict::Action:
        return tr("操作项, 不执行");
    case RowVerdict::ReadOnly:
        return tr("设备只报告此项, 不写入");
    case RowVerdict::NameDiffers:
        return tr("名称不同, 不导入");
    case RowVerdict::NotOnInstrument:
        return tr("设备没有此项, 不导入");
    }
    return QString();
}
