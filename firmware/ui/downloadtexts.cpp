#include "firmware/ui/downloadtexts.h"

#include <QCoreApplication>

namespace {

// Every text keeps the translation context of the worker that once wrote it: the catalogue's
// "DeviceTypeMgr", the download's "DownloadThread".
QString catalogueFailure(const QString& why)
{
    const QString failed = QCoreApplication::translate("DeviceTypeMgr", "获取设备列表失败,请重试!");
    return why.isEmpty() ? failed : failed + QLatin1Char('\n') + why;
}

// Why a reply was not taken, the catalogue's and the download's alike.
QString replyFault(DownloadFailure failure, const DownloadProblem& problem)
{
    switch (failure) {
    case DownloadFailure::HeadTooLarge:
        return QCoreApplication::translate("DownloadThread", "服务器的响应头过大");
    case DownloadFailure::Overdue:
        return QCoreApplication::translate("DownloadThread", "%1 秒内未能完成").arg(problem.amount / 1000.0);
    case DownloadFailure::UnknownCoding:
        return QCoreApplication::translate("DownloadThread", "不支持的压缩方式: %1").arg(problem.detail);
    default:
        return QCoreApplication::translate("DownloadThread", "服务器的回答无效");
    }
}

} // namespace

QString downloadIdleText(qint64 idleMs)
{
    return QCoreApplication::translate("DownloadThread", "%1 秒内收到的数据不足 1 KiB").arg(idleMs / 1000.0);
}

QString downloadFailureText(const DownloadProblem& problem)
{
    const QString& detail = problem.detail;
    switch (problem.failure) {
    case DownloadFailure::None:
        return QString();
    case DownloadFailure::PageUnreadable:
        return catalogueFailure(QString());
    case DownloadFailure::PageTooLarge:
        return catalogueFailure(
            QCoreApplication::translate("DeviceTypeMgr", "下载页面大于 %1 MiB").arg(problem.amount / (1024 * 1024)));
    case DownloadFailure::PageStalled:
        return catalogueFailure(downloadIdleText(problem.amount));
    case DownloadFailure::PageUntrusted:
        // The operator must learn that the peer was not trusted.
        return catalogueFailure(detail);
    case DownloadFailure::PageHeadTooLarge:
        return catalogueFailure(replyFault(DownloadFailure::HeadTooLarge, problem));
    case DownloadFailure::PageOverdue:
        return catalogueFailure(replyFault(DownloadFailure::Overdue, problem));
    case DownloadFailure::PageBadReply:
        return catalogueFailure(replyFault(DownloadFailure::BadReply, problem));
    case DownloadFailure::PageUnknownCoding:
        return catalogueFailure(replyFault(DownloadFailure::UnknownCoding, problem));
    case DownloadFailure::HeadTooLarge:
    case DownloadFailure::Overdue:
    case DownloadFailure::BadReply:
    case DownloadFailure::UnknownCoding:
        return QCoreApplication::translate("DownloadThread", "下载异常: %1").arg(replyFault(problem.failure, problem));
    case DownloadFailure::LinkNotWeb:
        return QCoreApplication::translate("DownloadThread", "下载失败,链接不是 http 或 https 地址: %1").arg(detail);
    case DownloadFailure::LinkNotEncrypted:
        return QCoreApplication::translate("DownloadThread", "下载失败,https 页面上的链接也必须是 https: %1")
            .arg(detail);
    case DownloadFailure::BadFileName:
        return QCoreApplication::translate("DownloadThread", "下载失败,文件名不合法: %1").arg(detail);
    case DownloadFailure::CannotOpenFile:
        return QCoreApplication::translate("DownloadThread", "下载失败,打开文件失败: %1").arg(detail);
    case DownloadFailure::TooLarge:
        return QCoreApplication::translate("DownloadThread", "下载异常: 文件大于 %1 MiB")
            .arg(problem.amount / (1024 * 1024.0));
    case DownloadFailure::MoreThanAnnounced:
        return QCoreApplication::translate("DownloadThread", "下载异常: 收到的数据多于声明的 %1 字节")
            .arg(problem.amount);
    case DownloadFailure::WriteFailed:
    case DownloadFailure::NetworkError:
        return QCoreApplication::translate("DownloadThread", "下载异常: %1").arg(detail);
    case DownloadFailure::Stalled:
        return QCoreApplication::translate("DownloadThread", "下载异常: %1").arg(downloadIdleText(problem.amount));
    case DownloadFailure::Incomplete:
        break;
    }
    return QCoreApplication::translate("DownloadThread", "下载异常: 未找到该文件或下载失败");
}
