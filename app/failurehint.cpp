#include "app/failurehint.h"

#include <QCoreApplication>

QString failureHint(ConfigFailure failure, LinkError link, bool silent, bool overUdp)
{
    if (silent) {
        return QCoreApplication::translate("MainWindow", "请检查通讯设置中的地址、端口、串口线和设备地址。");
    }
    if ((failure == ConfigFailure::CannotOpen || link == LinkError::CannotOpen) && !overUdp) {
        QString hint = QCoreApplication::translate(
            "MainWindow", "请检查串口是否存在 (适配器已插好)、是否被其他程序占用, 以及通讯设置中的串口名。");
#ifdef Q_OS_LINUX
        hint += QLatin1Char('\n')
            + QCoreApplication::translate("MainWindow",
                                          "在 Linux 上, 串口属于 dialout 组: 执行 sudo usermod -aG dialout \"$USER\" "
                                          "后重新登录, 再用 ls -l 与 id 核对权限。");
#endif
        return hint;
    }
    return QString();
}

QString searchFailureHint(quint16 port)
{
    return QCoreApplication::translate("MainWindow",
                                       "请检查设备是否已上电并接入网络、与本机是否在同一网段, 以及防火墙是否放行 UDP "
                                       "端口 %1 的广播和应答。")
        .arg(port);
}
