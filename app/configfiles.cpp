#include "app/configfiles.h"

#include "app/outcomereport.h"
#include "config/configbackup.h"
#include "config/configcsv.h"
#include "config/configmodel.h"
#include "config/ui/comparisondialog.h"
#include "prompt/prompter.h"

#include <QMainWindow>
#include <QStatusBar>

namespace {
const char* const CsvFilter = "Files (*.csv)";
} // namespace

ConfigFiles::ConfigFiles(QMainWindow& window, ConfigModel& rows, const OutcomeReport& report)
    : QObject(&window), window(window), rows(rows), report(report)
{ }

QString ConfigFiles::backupFolder()
{
    return ConfigBackup::folder().absolutePath();
}

QString ConfigFiles::askFileName(const QString& title, bool save, const QString& folder)
{
    const QString filter = QString::fromLatin1(CsvFilter);
    return save ? Prompter::current().getSaveFileName(&window, title, folder, filter)
                : Prompter::current().getOpenFileName(&window, title, folder, filter);
}

void ConfigFiles::exportRows(const QString& title)
{
    const QString fileName = askFileName(title, true, QString());
    if (fileName.isEmpty())
        return;
    window.statusBar()->showMessage(tr("正在导出配置......"));
    report.show(ConfigCsv::exportTo(fileName, rows.rows()), title);
}

void ConfigFiles::importRows(const QString& title, const QString& folder, const QString& failureTitle)
{
    const QString fileName = askFileName(title, false, folder);
    if (fileName.isEmpty())
        return;
    window.statusBar()->showMessage(tr("正在导入配置......"));
    const CsvImport import = ConfigCsv::importFrom(fileName);
    if (!import.outcome.ok) {
        report.show(import.outcome, failureTitle);
        return;
    }
    window.statusBar()->clearMessage();
    // The file is compared with the instrument before any of it becomes a change.
    if (ComparisonDialog::offer(&window, title, import.rows, &rows))
        emit signalRowsImported();
}
