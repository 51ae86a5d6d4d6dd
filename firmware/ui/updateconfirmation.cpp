#include "firmware/ui/updateconfirmation.h"

#include "firmware/texts/updatetexts.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

UpdateConfirmation::UpdateConfirmation(const DEncryptInfo& package, const QString& deviceModel,
                                       const QString& deviceVersion, QWidget* parent)
    : QMessageBox(parent), versionOrder(FirmwareVersion::compare(package.version(), deviceVersion))
{
    const bool downgrade = versionOrder == FirmwareVersion::Order::Older && !deviceVersion.isEmpty();
    setWindowTitle(parent ? parent->windowTitle() : tr("更新固件"));
    setIcon(downgrade ? QMessageBox::Warning : QMessageBox::Question);
    setText(UpdateTexts::comparison(versionOrder, package.version(), deviceVersion));
    const QString unknown = tr("未知");
    const auto shown = [&unknown](const QString& text) { return text.isEmpty() ? unknown : text; };
    const QDateTime fileDate = QFileInfo(package.filePath).lastModified();
    setInformativeText(tr("仪器: 型号 %1, 固件版本 %2").arg(shown(deviceModel), shown(deviceVersion))
                       + QLatin1Char('\n')
                       + tr("固件包: 设备 %1, 型号 %2, 版本 %3")
                             .arg(shown(package.device()), package.model(), shown(package.version()))
                       + QLatin1Char('\n')
                       + tr("固件大小 %1 字节, 文件日期 %2")
                             .arg(QLocale().toString(package.image().size()),
                                  fileDate.isValid() ? fileDate.toString(QStringLiteral("yyyy-MM-dd hh:mm")) : unknown)
                       + QStringLiteral("\n\n") + tr("烧写期间请不要断开仪器。要开始烧写吗?"));
    setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    button(QMessageBox::Ok)->setText(tr("烧写"));
    setDefaultButton(downgrade ? QMessageBox::Cancel : QMessageBox::Ok);
    setEscapeButton(QMessageBox::Cancel);
}
