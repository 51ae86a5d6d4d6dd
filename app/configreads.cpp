#include "app/configreads.h"

#include "app/failurehint.h"
#include "app/outcomereport.h"
#include "config/configmodel.h"
#include "config/refreshthread.h"
#include "config/texts/readtexts.h"
#include "config/ui/busyindicator.h"
#include "config/ui/connectionbar.h"
#include "settings/linksettings.h"

#include <QIcon>
#include <QPixmap>
#include <QStatusBar>

ConfigReads::ConfigReads(ConfigModel& rows, BusyIndicator& busy, ConnectionBar& connection, QStatusBar& status,
                         const OutcomeReport& report, QObject* parent)
    : QObject(parent), rows(rows), busy(busy), connection(connection), status(status), report(report)
{ }

void ConfigReads::begin()
{
    collector.start();
    collector.noAnswer = false;
}

void ConfigReads::add(int index, const QStringList& fields)
{
    collector.add(index, fields);
    const int done = collector.count();
    const int expected = collector.expected();
    if (expected >= done)
        busy.setProgress(tr("正在读取 %1/%2 ……").arg(done).arg(expected), done, expected);
    else
        busy.setProgress(tr("正在读取 %1 ……").arg(done), done, 0);
}

void ConfigReads::contact(LinkContact contact)
{
    collector.noAnswer = contact == LinkContact::NoAnswer;
    connection.showContact(contact);
}

bool ConfigReads::end(int how, int itemsRead, const QString& operation)
{
    const bool complete = how == RefreshThread::ReadComplete;
    if (complete) {
        const QVector<ReadItem> read = collector.complete(itemsRead);
        instrument = identityOf(read);
        rows.showRead(read);
        report.log(operation, false, tr("已读取 %1 项").arg(itemsRead));
    } else {
        // The tree keeps what it held; the status says that the read did not get through.
        const QString text = tr("读取中断: 已读 %1 项, 配置树保持读取前的内容").arg(itemsRead);
        status.showMessage(text);
        if (how == RefreshThread::ReadStopped)
            report.log(operation, false, text);
    }
    collector.discard();
    return complete;
}

void ConfigReads::fail(const ConfigReadFailure& failure, const QString& operation, bool reading)
{
    // A read that found no instrument says where to look.
    const bool silent = reading && collector.noAnswer;
    const QString text = readFailureText(failure);
    const QString hint = failureHint(failure.code, failure.link, silent, LinkSettings::load().useUdp);
    report.log(operation, true, text, hint);
    report.showError(readFailureTitle(), text, QIcon(QPixmap(QStringLiteral(":/image/refresh.png"))),
                     silent ? hint : QString());
}
