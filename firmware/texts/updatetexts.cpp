#include "firmware/texts/updatetexts.h"

#include "link/texts/linktexts.h"

#include <QCoreApplication>

// Texts keep the translation context of the class that once wrote them: the package reader's
// "DDbServer", the transfer's "UpdateThread"; the ones added since are the dialog's.
namespace UpdateTexts {
namespace {

int stepOf(const UpdateOutcome& outcome)
{
    switch (outcome.failure) {
    case UpdateFailure::EraseFailed:
        return 2;
    case UpdateFailure::PageFailed:
        return 3;
    default:
        return 1;
    }
}

} // namespace

QString packageRead(PackageRead read)
{
    switch (read) {
    case PackageRead::Ok:
        break;
    case PackageRead::NotAFile:
        return QCoreApplication::translate("DDbServer", "解析文件失败,文件不存在或拒绝访问!");
    case PackageRead::CannotOpen:
        return QCoreApplication::translate("DDbServer", "解析文件失败,打开文件失败,请检查文件类型!");
    case PackageRead::NoTable:
        return QCoreApplication::translate("DDbServer", "解析文件失败,文件操作失败!");
    case PackageRead::NoContent:
        return QCoreApplication::translate("DDbServer", "解析文件失败,无法获取文件内容!");
    case PackageRead::BadDigest:
        return QCoreApplication::translate("DDbServer", "解析文件失败,文件校验失败!");
    case PackageRead::BadTypes:
        return QCoreApplication::translate("DDbServer", "解析文件失败,文件内容格式错误!");
    }
    return QString();
}

QString packageProblem(PackageProblem problem)
{
    switch (problem) {
    case PackageProblem::None:
        break;
    case PackageProblem::NoImage:
        return QCoreApplication::translate("UpdateThread", "固件包中没有固件数据,不能烧写!");
    case PackageProblem::NoModel:
        return QCoreApplication::translate("UpdateThread", "固件包中没有设备型号,不能烧写!");
    }
    return QString();
}

QString stage(UpdateStage stage, int current, int total)
{
    switch (stage) {
    case UpdateStage::Identifying:
        return QCoreApplication::translate("UpdateThread", "第 1/4 步: 识别仪器");
    case UpdateStage::Erasing:
        return QCoreApplication::translate("UpdateThread", "第 2/4 步: 擦除仪器内存");
    case UpdateStage::Writing:
        return QCoreApplication::translate("UpdateThread", "第 3/4 步: 写入第 %1 / %2 页").arg(current).arg(total);
    case UpdateStage::Finishing:
        return QCoreApplication::translate("UpdateThread", "第 4/4 步: 结束更新, 等待仪器重启 (最多 %1 秒)")
            .arg(current);
    }
    return QString();
}

QString stageEnd(const UpdateOutcome& outcome)
{
    QString what;
    switch (outcome.failure) {
    case UpdateFailure::None:
    case UpdateFailure::BadPackage:
        return QString();
    case UpdateFailure::CannotOpen:
        what = QCoreApplication::translate("UpdateDialog", "失败: 无法打开连接");
        break;
    case UpdateFailure::NoIdentity:
        what = QCoreApplication::translate("UpdateDialog", "失败: 仪器没有应答识别请求");
        break;
    case UpdateFailure::WrongModel:
        what = QCoreApplication::translate("UpdateDialog", "已拒绝: 型号不符");
        break;
    case UpdateFailure::Declined:
    case UpdateFailure::Stopped:
        what = QCoreApplication::translate("UpdateDialog", "已取消, 没有写入任何数据");
        break;
    case UpdateFailure::EraseFailed:
        what = QCoreApplication::translate("UpdateDialog", "失败: 擦除未被确认");
        break;
    case UpdateFailure::PageFailed:
        what = QCoreApplication::translate("UpdateDialog", "失败: 第 %1 / %2 页未被确认")
                   .arg(outcome.page)
                   .arg(outcome.pages);
        break;
    }
    return QCoreApplication::translate("UpdateDialog", "第 %1/4 步: %2").arg(stepOf(outcome)).arg(what);
}

QString failure(const UpdateOutcome& outcome, const QString& packageModel)
{
    switch (outcome.failure) {
    case UpdateFailure::None:
    case UpdateFailure::Declined:
    case UpdateFailure::Stopped:
        return QString();
    case UpdateFailure::BadPackage:
        return packageProblem(outcome.packageProblem);
    case UpdateFailure::CannotOpen:
        return QCoreApplication::translate("UpdateThread", "固件更新失败,") + linkOpenFailureText(outcome.open);
    case UpdateFailure::NoIdentity:
        return QCoreApplication::translate("UpdateThread", "固件更新失败,获取设备ID失败!");
    case UpdateFailure::WrongModel:
        return QCoreApplication::translate("UpdateThread", "固件更新失败,BIN文件与设备型号不一致!") + QLatin1Char('\n')
            + QCoreApplication::translate("UpdateThread", "固件包的型号: %1, 仪器的型号: %2")
                  .arg(packageModel, outcome.deviceModel);
    case UpdateFailure::EraseFailed:
        return QCoreApplication::translate("UpdateThread", "固件更新失败,擦除设备内存失败!");
    case UpdateFailure::PageFailed:
        return QCoreApplication::translate("UpdateThread", "固件更新失败,发送文件数据失败!");
    }
    return QString();
}

QString instrumentState(const UpdateOutcome& outcome)
{
    switch (outcome.failure) {
    case UpdateFailure::None:
    case UpdateFailure::BadPackage:
        return QString();
    case UpdateFailure::CannotOpen:
    case UpdateFailure::NoIdentity:
        return QCoreApplication::translate("UpdateDialog",
                                           "仪器没有被擦除, 仍在运行原来的固件。请检查连接和通信设置, 然后再次烧写。");
    case UpdateFailure::WrongModel:
        return QCoreApplication::translate("UpdateDialog",
                                           "仪器没有被擦除, 仍在运行原来的固件。请选择与仪器型号相符的固件包。");
    case UpdateFailure::Declined:
    case UpdateFailure::Stopped:
        return QCoreApplication::translate("UpdateDialog", "仪器没有被擦除, 仍在运行原来的固件。");
    case UpdateFailure::EraseFailed:
        return QCoreApplication::translate(
            "UpdateDialog",
            "擦除请求已发出但未被确认: 仪器原来的固件可能已被擦除, 它会在引导程序中等待新的固件。"
            "请用同一个固件包再次烧写; 仪器保留其引导程序。");
    case UpdateFailure::PageFailed:
        return QCoreApplication::translate(
                   "UpdateDialog",
                   "仪器原来的固件已被擦除, 新固件只写入了 %1 / %2 页: 仪器正在引导程序中等待完整的固件。"
                   "请不要断开仪器, 用同一个固件包再次烧写; 仪器保留其引导程序。")
            .arg(qMax(0, outcome.page - 1))
            .arg(outcome.pages);
    }
    return QString();
}

QString versionChange(const QString& before, const VersionRead& after, int waitSeconds)
{
    if (!after.answered)
        return QCoreApplication::translate("UpdateDialog",
                                           "仪器在 %1 秒内没有应答, 未能读取新的固件版本; 请稍后读取配置。")
            .arg(waitSeconds);
    if (!after.found)
        return QCoreApplication::translate("UpdateDialog", "仪器的配置中没有固件版本。");
    if (before.isEmpty())
        return QCoreApplication::translate("UpdateDialog", "固件已更新: 仪器现在的版本是 %1").arg(after.version);
    return QCoreApplication::translate("UpdateDialog", "固件已更新: %1 → %2").arg(before, after.version);
}

QString comparison(FirmwareVersion::Order order, const QString& package, const QString& instrument)
{
    using FirmwareVersion::Order;
    if (instrument.isEmpty())
        return QCoreApplication::translate("UpdateDialog",
                                           "仪器的固件版本未知 (请先读取配置), 无法与固件包的版本 %1 比较。")
            .arg(package);
    switch (order) {
    case Order::Newer:
        return QCoreApplication::translate("UpdateDialog", "升级: 固件包的版本 %1 比仪器的版本 %2 新。")
            .arg(package, instrument);
    case Order::Same:
        return QCoreApplication::translate("UpdateDialog", "固件包的版本 %1 与仪器的版本 %2 相同。")
            .arg(package, instrument);
    case Order::Older:
        return QCoreApplication::translate("UpdateDialog", "降级: 固件包的版本 %1 比仪器的版本 %2 旧。")
            .arg(package, instrument);
    case Order::Unknown:
        break;
    }
    return QCoreApplication::translate("UpdateDialog", "固件包的版本 %1 与仪器的版本 %2 无法比较。")
        .arg(package, instrument);
}

} // namespace UpdateTexts
