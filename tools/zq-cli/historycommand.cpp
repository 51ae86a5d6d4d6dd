#include "tools/zq-cli/commands.h"

#include "history/historyexport.h"
#include "history/readthread.h"
#include "history/recordstore.h"
#include "history/recordtable.h"
#include "link/frames.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

#include <QGuiApplication>
#include <QJsonArray>

#include <functional>

namespace {

// The fields of each record line, and the header's, for --json.
void addRecordFields(const RecordStore& records, QJsonObject& json)
{
    QJsonArray rows;
    for (int row = 0; row < records.lineCount(); ++row) {
        const QString line = records.line(row);
        if (RecordStore::isRecord(line))
            rows.append(QJsonArray::fromStringList(splitFields(line)));
    }
    if (records.startsWithHeader())
        json.insert(QStringLiteral("columns"), QJsonArray::fromStringList(splitFields(records.line(0))));
    json.insert(QStringLiteral("records"), rows);
    json.insert(QStringLiteral("count"), records.recordCount());
}

} // namespace

ExitCode HistoryCommand::run(const CliOptions& options)
{
    const LinkTarget& target = options.targets.first();
    const bool exporting = !options.file.isEmpty() || !options.pdfFile.isEmpty();
    InstrumentResult result;
    if (!options.pdfFile.isEmpty() && !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // main() makes the application that fonts need for history --pdf; anything else is a fault here.
        CliOutput::error(tr("无法导出 PDF: 没有字体"));
        return ExitFile;
    }

    if (!linkOpens(target, result)) {
        CliOutput::result(target, result, options.json, false);
        return result.code;
    }

    RecordStore records;
    QString failure;
    bool cutOff = false;
    ReadThread thread;
    thread.setLinkSettings(target.settings);
    // Direct: the query's signals are taken in its own thread; this one only waits for it.
    QObject::connect(&thread, &ReadThread::signalClearText, [&] { records.clear(); });
    QObject::connect(&thread, &ReadThread::signalAddLines, [&](const QString& lines) {
        const int first = records.lineCount();
        records.appendLines(lines);
        // Without an export the records go out as they come, so a long query shows its progress.
        if (!exporting && !options.json) {
            for (int row = first; row < records.lineCount(); ++row)
                CliOutput::line(records.line(row));
        }
    });
    QObject::connect(&thread, &ReadThread::signalShowError, [&](const QString& title, const QString& text) {
        failure = title + QStringLiteral(": ") + text;
    });
    QObject::connect(&thread, &ReadThread::signalCutOff, [&] { cutOff = true; });
    thread.startRead(buildHistoryRequest(options.from, options.to));
    thread.wait();

    addRecordFields(records, result.json);
    if (!failure.isEmpty()) {
        result.fail(exitCodeFor(thread.failure(), thread.linkError()), failure);
    } else {
        if (cutOff) {
            result.fail(ExitLink, QCoreApplication::translate("HistoryData", "查询") + QStringLiteral(": ")
                                      + tr("传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。")
                                            .arg(records.recordCount()));
            result.json.insert(QStringLiteral("cutOff"), true);
        }
        // Exported on this thread, the one the application and its fonts belong to.
        const QString title = QCoreApplication::translate("HistoryData", "导出历史数据");
        const PdfHeading heading{QString(), options.from, options.to, QDateTime::currentDateTime()};
        const auto exportCsv = options.tableCsv ? &HistoryExport::exportTableCsv : &HistoryExport::exportCsv;
        const QList<QPair<QString, std::function<QString(const QString&)>>> exports{
            {options.file, [&](const QString& path) { return exportCsv(records, path); }},
            {options.pdfFile, [&](const QString& path) { return HistoryExport::exportPdf(records, path, heading); }}};
        for (const auto& file : exports) {
            if (file.first.isEmpty())
                continue;
            const QString error = file.second(file.first);
            if (!error.isEmpty())
                result.fail(ExitFile, title + QStringLiteral(": ") + error);
            else
                result.lines.append(tr("已导出 %1 条记录到 %2").arg(records.recordCount()).arg(file.first));
        }
        if (!options.file.isEmpty())
            result.json.insert(QStringLiteral("csv"), options.file);
        if (!options.pdfFile.isEmpty())
            result.json.insert(QStringLiteral("pdf"), options.pdfFile);
    }
    CliOutput::result(target, result, options.json, false);
    return result.code;
}
