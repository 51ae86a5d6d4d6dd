#include "link/devicerequests.h"
#include "link/texts/linktexts.h"
#include "tools/zq-cli/commands.h"

#include "history/historycsvwriter.h"
#include "history/historyexport.h"
#include "history/historyquery.h"
#include "history/recordcolumns.h"
#include "history/recordline.h"
#include "history/recordstore.h"
#include "history/recordsummary.h"
#include "history/recordtable.h"
#include "history/texts/historytexts.h"
#include "jobs/stoptoken.h"
#include "link/devicetextdecoder.h"
#include "settings/settingkeys.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

#include <QGuiApplication>
#include <QJsonArray>

#include <memory>

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

// Takes the query's lines as they come: printed, written to the CSV file, and kept only where an
// output needs them all at the end (--json, --pdf). Stray lines go to standard error.
class CliSink : public HistorySink
{
public:
    CliSink(bool print, HistoryCsvWriter* csv, RecordStore* kept) : print(print), csv(csv), kept(kept) { }

    void recordBytes(const QByteArray& lines) override
    {
        // Counted and kept as they came: the lines' own file is byte for byte what was sent.
        if (kept)
            kept->appendRaw(lines);
        int from = 0;
        while (from < lines.size()) {
            const int feed = lines.indexOf('\n', from);
            const int next = feed < 0 ? lines.size() : feed + 1;
            const QByteArray line = QByteArray::fromRawData(lines.constData() + from, next - from);
            if (startsWithDateTime(line))
                ++recordCount;
            if (csv)
                csv->addRawLine(line);
            from = next;
        }
        if (print)
            printLines(decoder.decodeLines(lines));
    }
    void strayLines(const QStringList& lines) override
    {
        for (const QString& line : lines)
            CliOutput::error(line);
    }
    qint64 records() const { return recordCount; }

private:
    // The lines of a chunk go to standard output in one write, without their terminators.
    static void printLines(const QString& text)
    {
        QString printed;
        printed.reserve(text.size());
        int from = 0;
        while (from < text.size()) {
            const int feed = text.indexOf(QLatin1Char('\n'), from);
            const int next = feed < 0 ? text.size() : feed + 1;
            int end = feed < 0 ? text.size() : feed;
            while (end > from && text.at(end - 1) == QLatin1Char('\r'))
                --end;
            if (!printed.isEmpty())
                printed += QLatin1Char('\n');
            printed += text.midRef(from, end - from);
            from = next;
        }
        if (!printed.isEmpty())
            CliOutput::line(printed);
    }

    bool print;
    HistoryCsvWriter* csv;
    RecordStore* kept;
    qint64 recordCount = 0;
    DeviceTextDecoder decoder;
};

// The summary of the numeric columns as fields, for --json.
QJsonArray summaryJson(const RecordColumns& columns)
{
    QJsonArray list;
    const auto time = [](double ms) {
        return QDateTime::fromMSecsSinceEpoch(qint64(ms), Qt::UTC).toString(QStringLiteral("yyyy-MM-ddThh:mm:ss"));
    };
    for (const ColumnSummary& summary : summarizeColumns(columns)) {
        list.append(QJsonObject{{QStringLiteral("column"), summary.column},
                                {QStringLiteral("name"), recordColumnName(columns, summary.column)},
                                {QStringLiteral("count"), summary.count},
                                {QStringLiteral("minimum"), summary.minimum},
                                {QStringLiteral("minimumTime"), time(summary.minimumTime)},
                                {QStringLiteral("maximum"), summary.maximum},
                                {QStringLiteral("maximumTime"), time(summary.maximumTime)},
                                {QStringLiteral("mean"), summary.mean}});
    }
    return list;
}

} // namespace

ExitCode HistoryCommand::run(const CliOptions& options)
{
    const LinkTarget& target = options.targets.first();
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

    const QString exportTitle = tr("导出历史数据");
    std::unique_ptr<HistoryCsvWriter> csv;
    if (!options.file.isEmpty()) {
        csv = std::make_unique<HistoryCsvWriter>(
            options.file, options.tableCsv ? HistoryCsvWriter::Table : HistoryCsvWriter::RecordLines);
        if (options.tableCsv)
            csv->setDateTimeNames(tr("日期"), tr("时间"));
        if (!csv->open()) {
            result.fail(ExitFile, exportTitle + QStringLiteral(": ") + tr("打开文件失败: %1").arg(options.file));
            CliOutput::result(target, result, options.json, false);
            return result.code;
        }
    }
    // Only the outputs that need every record at the end keep them, up to the window's limit.
    const bool keep = options.json || !options.pdfFile.isEmpty() || options.summary;
    RecordStore records;
    const bool print = !options.json && options.file.isEmpty() && options.pdfFile.isEmpty() && !options.summary;
    CliSink sink(print, csv.get(), keep ? &records : nullptr);
    HistoryQuery query;
    query.request = buildHistoryRequest(options.from, options.to);
    if (keep)
        query.maxRecords = Settings::HistoryMaxRecords.fallback.toLongLong();
    // On this thread, without a stop: Ctrl-C ends the program as it always has.
    const HistoryOutcome outcome = queryHistory(target.settings, query, StopToken(), sink);

    RecordColumns columns;
    if (keep)
        columns.update(records);
    if (options.summary) {
        result.json.insert(QStringLiteral("summary"), summaryJson(columns));
        result.lines.append(summaryLines(columns));
    }
    if (keep)
        addRecordFields(records, result.json);
    else
        result.json.insert(QStringLiteral("count"), sink.records());
    if (!outcome.ok()) {
        if (csv)
            csv->cancel();
        const QString reason =
            outcome.failure == HistoryFailure::CannotOpen ? outcome.openError : linkErrorText(outcome.linkError);
        result.fail(exitCodeFor(outcome.failure, outcome.linkError), tr("查询") + QStringLiteral(": ") + reason);
        CliOutput::result(target, result, options.json, false);
        return result.code;
    }
    if (outcome.cutOff) {
        result.fail(ExitLink,
                    tr("查询") + QStringLiteral(": ")
                        + tr("传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。").arg(sink.records()));
        result.json.insert(QStringLiteral("cutOff"), true);
    }
    if (outcome.datagramsLost > 0) {
        result.fail(ExitLink,
                    tr("查询") + QStringLiteral(": ")
                        + tr("传输中丢失了 %1 个数据报, 记录可能不完整。").arg(outcome.datagramsLost));
        result.json.insert(QStringLiteral("datagramsLost"), outcome.datagramsLost);
    }
    if (outcome.end == HistoryEnd::OnlyChatter) {
        result.fail(ExitLink, tr("查询") + QStringLiteral(": ") + tr("仪器在发送调试信息, 历史记录可能不完整"));
        result.json.insert(QStringLiteral("incomplete"), true);
    } else if (outcome.end == HistoryEnd::RecordLimit) {
        result.fail(ExitLink,
                    tr("查询") + QStringLiteral(": ") + tr("已达到记录上限 %1 条, 查询已停止。").arg(outcome.records));
        result.json.insert(QStringLiteral("limited"), true);
    }
    if (csv) {
        if (csv->commit())
            result.lines.append(tr("已导出 %1 条记录到 %2").arg(sink.records()).arg(options.file));
        else
            result.fail(ExitFile, exportTitle + QStringLiteral(": ") + tr("写入文件失败: %1").arg(options.file));
        result.json.insert(QStringLiteral("csv"), options.file);
    }
    if (!options.pdfFile.isEmpty()) {
        // Drawn on this thread, the one the application and its fonts belong to.
        PdfHeading heading;
        heading.from = options.from;
        heading.to = options.to;
        heading.exportedAt = QDateTime::currentDateTime();
        const ExportFailure failure = HistoryExport::exportPdf(records, options.pdfFile, heading, reportTexts());
        if (failure != ExportFailure::None)
            result.fail(ExitFile, exportTitle + QStringLiteral(": ") + exportFailureText(failure, options.pdfFile));
        else
            result.lines.append(tr("已导出 %1 条记录到 %2").arg(records.recordCount()).arg(options.pdfFile));
        result.json.insert(QStringLiteral("pdf"), options.pdfFile);
    }
    CliOutput::result(target, result, options.json, false);
    return result.code;
}
