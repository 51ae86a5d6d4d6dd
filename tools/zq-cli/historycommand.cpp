#include "tools/zq-cli/commands.h"

#include "history/historyexport.h"
#include "history/readthread.h"
#include "link/frames.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

#include <QGuiApplication>
#include <QJsonArray>

namespace {

// A record line without its terminator.
QString withoutTerminator(QString line)
{
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

// The records as the dialog's text box holds them for its exports: the box breaks the line at a
// CR LF, a line feed or a lone carriage return alike, and gives each break back as a line feed.
QString boxText(const QStringList& lines)
{
    QString text = lines.join(QString());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
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

    QStringList lines;
    QString failure;
    ReadThread thread;
    thread.setLinkSettings(target.settings);
    // Direct: the query's signals are taken in its own thread; this one only waits for it.
    QObject::connect(&thread, &ReadThread::signalClearText, [&] { lines.clear(); });
    QObject::connect(&thread, &ReadThread::signalAddText, [&](const QString& text) {
        lines.append(text);
        // Without an export the records go out as they come, so a long query shows its progress.
        if (!exporting && !options.json)
            CliOutput::line(withoutTerminator(text));
    });
    QObject::connect(&thread, &ReadThread::signalShowError, [&](const QString& title, const QString& text) {
        failure = title + QStringLiteral(": ") + text;
    });
    thread.startRead(buildHistoryRequest(options.from, options.to));
    thread.wait();

    QJsonArray records;
    for (const QString& line : lines)
        records.append(withoutTerminator(line));
    result.json.insert(QStringLiteral("records"), records);
    if (!failure.isEmpty()) {
        result.fail(exitCodeFor(thread.failure(), thread.linkError()), failure);
    } else {
        // Exported on this thread, the one the application and its fonts belong to.
        const QString text = boxText(lines);
        const QString title = QCoreApplication::translate("HistoryData", "导出历史数据");
        const QList<QPair<QString, QString (*)(const QString&, const QString&)>> exports{
            {options.file, &HistoryExport::exportCsv},
            {options.pdfFile, static_cast<QString (*)(const QString&, const QString&)>(&HistoryExport::exportPdf)}};
        for (const auto& file : exports) {
            if (file.first.isEmpty())
                continue;
            const QString error = file.second(text, file.first);
            if (!error.isEmpty())
                result.fail(ExitFile, title + QStringLiteral(": ") + error);
            else
                result.lines.append(tr("已导出 %1 行到 %2").arg(lines.size()).arg(file.first));
        }
        if (!options.file.isEmpty())
            result.json.insert(QStringLiteral("csv"), options.file);
        if (!options.pdfFile.isEmpty())
            result.json.insert(QStringLiteral("pdf"), options.pdfFile);
    }
    CliOutput::result(target, result, options.json, false);
    return result.code;
}
