#include "history/ui/historydata.h"

#include "history/chartseries.h"
#include "history/historycsvwriter.h"
#include "history/historyexport.h"
#include "history/recordsummary.h"
#include "history/texts/historytexts.h"
#include "history/ui/historychart.h"
#include "jobs/posting.h"
#include "link/devicerequests.h"
#include "link/devicetextdecoder.h"
#include "link/texts/linktexts.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"

#include "ui_historydata.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>

namespace {

// How often arrived lines are put on screen: the view learns of all of them at once, so its cost
// is one update a frame whatever the rate.
constexpr int FrameMs = 40;

// The records a query may bring into the window before it is stopped, from config.ini.
qint64 maxRecords()
{
    bool ok = false;
    const qint64 stored = Config().value(Settings::HistoryMaxRecords).toLongLong(&ok);
    return ok && stored > 0 ? stored : Settings::HistoryMaxRecords.fallback.toLongLong();
}

// Hands the query's reports to the dialog's thread, in order.
class DialogSink : public HistorySink
{
public:
    DialogSink(HistoryData* dialog, std::function<void(const QStringList&)> strays)
        : dialog(dialog), strays(std::move(strays))
    { }
    void opened() override
    {
        postTo(dialog, [dialog = dialog] { dialog->slotClearText(); });
    }
    void recordBytes(const QByteArray& lines) override
    {
        postTo(dialog, [dialog = dialog, lines] { dialog->slotAddRecordBytes(lines); });
    }
    void strayLines(const QStringList& lines) override
    {
        postTo(dialog, [show = strays, lines] { show(lines); });
    }

private:
    HistoryData* dialog;
    std::function<void(const QStringList&)> strays;
};

QDate storedDate(const SettingKey& key)
{
    const QDate date = QDate::fromString(Config().value(key).toString(), Qt::ISODate);
    return date.isValid() ? date : QDate::currentDate();
}

QString minutesAndSeconds(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

HistoryData::HistoryData(QWidget* parent) : QDialog(parent), form(new Ui::HistoryData)
{
    form->setupUi(this);
    // A table of one column whose rows are all one line high: unlike a list view it does not lay
    // out every row again when rows are added, so a frame costs the same at any count.
    view = form->viewRecords;
    view->setModel(&model);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->setTextElideMode(Qt::ElideNone);
    view->viewport()->installEventFilter(this);
    setWindowIcon(QIcon(QStringLiteral(":/image/debug.png")));
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMaximizeButtonHint);
    form->dateStart->setCalendarPopup(true);
    form->dateEnd->setCalendarPopup(true);
    // The last range asked for, in the same four-digit form in every language.
    form->dateStart->setDate(storedDate(Settings::HistoryFrom));
    form->dateEnd->setDate(storedDate(Settings::HistoryTo));
    connect(form->cmbRange, QOverload<int>::of(&QComboBox::activated), this, &HistoryData::choosePreset);

    // The records as a table: the proxy sorts without copying, the header stays in place.
    tableView = form->viewTable;
    sortProxy.setSourceModel(&tableModel);
    tableView->setModel(&sortProxy);
    tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tableView->verticalHeader()->setDefaultSectionSize(tableView->fontMetrics().height() + 4);
    tableView->horizontalHeader()->setSortIndicatorShown(true);
    tableView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    auto* copyRows = new QAction(tableView);
    copyRows->setShortcut(QKeySequence::Copy);
    copyRows->setShortcutContext(Qt::WidgetShortcut);
    tableView->addAction(copyRows);
    connect(copyRows, SIGNAL(triggered()), this, SLOT(copySelectedLines()));
    connect(form->bntCopySummary, SIGNAL(clicked()), this, SLOT(copySummary()));

    // The trend chart below the records, the splitter between them the operator's to move.
    trend = new HistoryChart(this);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("splitRecords"));
    split->setChildrenCollapsible(false);
    delete form->verticalLayout->replaceWidget(form->tabsRecords, split);
    split->addWidget(form->tabsRecords);
    split->addWidget(trend);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    connect(trend, &HistoryChart::signalTimePicked, this, &HistoryData::selectRecordAt);

    auto* copy = new QAction(view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(copy);
    connect(copy, SIGNAL(triggered()), this, SLOT(copySelectedLines()));
    // Scrolling up to read stops the view following the newest line; scrolling to the end resumes.
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { following = value == view->verticalScrollBar()->maximum(); });

    frameTick.setInterval(FrameMs);
    connect(&frameTick, SIGNAL(timeout()), this, SLOT(showArrivedLines()));

    connect(form->bntQuery, SIGNAL(clicked()), this, SLOT(slotQueryHistory()));
    connect(form->bntStop, SIGNAL(clicked()), this, SLOT(slotStopQuery()));
    connect(form->bntExportCSV, SIGNAL(clicked()), this, SLOT(slotExportCSV()));
    connect(form->bntExportPDF, SIGNAL(clicked()), this, SLOT(slotExportPDF()));
    form->textStray->setMaximumBlockCount(StrayLinesKept);
    form->textStray->hide();
    form->labStray->hide();
    // The job's reports are posted here in order; its end comes after all of them.
    connect(&runner, SIGNAL(jobEnded()), this, SLOT(slotReadFinished()));
}

HistoryData::~HistoryData()
{
    // Torn down without a close (a test, a parent going away): the query must not outlive us.
    runner.stopAndWait();
    view->viewport()->removeEventFilter(this);
    view->setModel(nullptr);
    delete form;
}

void HistoryData::showErrorBox(const QString& title, const QString& text, const QIcon& icon)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setWindowIcon(icon);
    box.button(QMessageBox::Ok)->setText(tr("确定"));
    Prompter::current().exec(box);
}

void HistoryData::slotClearText()
{
    model.clear();
    tableModel.clear();
    tableFitted = false;
    showSummary();
    trend->clearBaseSpan();
    showChart();
    widestLine = 0;
    fitColumn();
    clearedThisRun = true;
    following = true;
}

void HistoryData::slotAddLines(const QString& lines)
{
    model.appendLines(lines);
    showSoon();
}

void HistoryData::slotAddRecordBytes(const QByteArray& lines)
{
    model.appendRaw(lines);
    showSoon();
}

void HistoryData::showSoon()
{
    // While a query runs the frame tick shows them; lines given otherwise are shown once.
    if (!frameTick.isActive())
        QTimer::singleShot(0, this, &HistoryData::showArrivedLines);
}

QStringList HistoryData::strayLines() const
{
    const QString text = form->textStray->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void HistoryData::addStrayLines(const QStringList& lines)
{
    form->labStray->show();
    form->textStray->show();
    for (const QString& line : lines)
        form->textStray->appendPlainText(line);
}

void HistoryData::showArrivedLines()
{
    const int first = model.rowCount();
    if (tableModel.publish()) {
        if (!reading || !sinceChart.isValid() || sinceChart.elapsed() >= 500)
            showChart();
        if (!reading)
            showSummary();
        if (!tableFitted && tableModel.rowCount() > 0) {
            tableView->resizeColumnsToContents();
            tableFitted = true;
        }
        if (following && sortProxy.sortColumn() < 0)
            tableView->scrollToBottom();
    }
    if (model.publish()) {
        // The column is as wide as the longest line, found by its length and measured alone.
        const int longest = model.records().longestLine(first, model.rowCount());
        if (longest >= 0) {
            const int width = view->fontMetrics().horizontalAdvance(model.records().line(longest)) + 12;
            if (width > widestLine) {
                widestLine = width;
                fitColumn();
            }
        }
        if (following)
            view->scrollToBottom();
    }
    showStatus();
}

void HistoryData::fitColumn()
{
    view->setColumnWidth(0,
                         qBound(view->viewport()->width(), widestLine, view->horizontalHeader()->maximumSectionSize()));
}

bool HistoryData::eventFilter(QObject* watched, QEvent* event)
{
    // At least as wide as the view, whatever its size.
    if (watched == view->viewport() && event->type() == QEvent::Resize)
        fitColumn();
    return QDialog::eventFilter(watched, event);
}

void HistoryData::showStatus()
{
    if (reading)
        queryMs = queryClock.elapsed();
    const QString count = QLocale().toString(model.records().recordCount());
    const QString time = minutesAndSeconds(queryMs);
    if (reading)
        form->labStatus->setText(tr("正在查询… 已收到 %1 条记录, 用时 %2").arg(count, time));
    else if (stoppedByOperator)
        form->labStatus->setText(tr("已停止: 收到 %1 条记录").arg(count));
    else
        form->labStatus->setText(tr("已收到 %1 条记录, 用时 %2").arg(count, time));
}

void HistoryData::setReading(bool on)
{
    reading = on;
    form->bntQuery->setEnabled(!on);
    form->bntStop->setEnabled(on);
    if (on)
        frameTick.start();
    else
        frameTick.stop();
}

void HistoryData::slotReadFinished()
{
    showArrivedLines();
    showSummary();
    showChart();
    if (clearedThisRun && queriedFrom.isValid() && queriedTo.isValid()) {
        // The dates asked for, as the records tell time: wall-clock read as UTC.
        const double from = double(QDateTime(queriedFrom, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch());
        const double to = double(QDateTime(queriedTo.addDays(1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch());
        trend->setBaseSpan(from, to);
    }
    setReading(false);
    stoppedByOperator = stoppedByOperator && lastOutcome.ok() && lastOutcome.end == HistoryEnd::Stopped;
    showStatus();
    if (isVisible())
        tellEnd(lastOutcome);
}

void HistoryData::tellEnd(const HistoryOutcome& outcome)
{
    const int records = model.records().recordCount();
    QString kept;
    if (clearedThisRun && outcome.cutOff)
        kept = tr("传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。").arg(records);
    else if (clearedThisRun && records > 0)
        kept = tr("已收到的 %1 条完整记录已保留。").arg(records);
    // Records lost on the way are missing anywhere in the list, not only at its end.
    if (outcome.datagramsLost > 0)
        kept = tr("传输中丢失了 %1 个数据报, 记录可能不完整。").arg(outcome.datagramsLost)
            + (kept.isEmpty() ? QString() : QStringLiteral("\n") + kept);
    const auto withKept = [&kept](const QString& text) {
        return kept.isEmpty() ? text : text + QStringLiteral("\n") + kept;
    };
    if (!outcome.ok()) {
        const QString reason =
            outcome.failure == HistoryFailure::CannotOpen ? outcome.openError : linkErrorText(outcome.linkError);
        if (!reason.isEmpty())
            showErrorBox(tr("查询"), withKept(reason), windowIcon());
        return;
    }
    QString warning;
    if (outcome.end == HistoryEnd::OnlyChatter)
        warning = withKept(tr("仪器在发送调试信息, 历史记录可能不完整"));
    else if (outcome.end == HistoryEnd::RecordLimit)
        warning = tr("已达到记录上限 %1 条, 查询已停止。").arg(QLocale().toString(outcome.records));
    else if (outcome.cutOff || outcome.datagramsLost > 0)
        warning = kept;
    if (warning.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, tr("查询"), warning, QMessageBox::Ok, this,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setWindowIcon(windowIcon());
    box.button(QMessageBox::Ok)->setText(tr("确定"));
    Prompter::current().exec(box);
}

void HistoryData::slotQueryHistory()
{
    if (runner.isWorking() || reading)
        return;
    const QDate start = form->dateStart->date();
    const QDate end = form->dateEnd->date();
    if (end < start) {
        showErrorBox(tr("查询"), tr("起始日期应该小于或等于结束日期"), windowIcon());
        return;
    }
    Config().setValue(Settings::HistoryFrom, start.toString(Qt::ISODate));
    Config().setValue(Settings::HistoryTo, end.toString(Qt::ISODate));
    HistoryQuery query;
    query.request = buildHistoryRequest(start, end);
    query.maxRecords = maxRecords();
    const LinkSettings link = LinkSettings::load();
    const auto strays = [this](const QStringList& lines) { addStrayLines(lines); };
    const bool started = runner.start([this, link, query, strays](const StopToken& stop) {
        DialogSink sink(this, strays);
        const HistoryOutcome outcome = queryHistory(link, query, stop, sink);
        postTo(this, [this, outcome] { lastOutcome = outcome; });
    });
    if (!started)
        return;
    clearedThisRun = false;
    stoppedByOperator = false;
    lastOutcome = HistoryOutcome();
    queriedFrom = start;
    queriedTo = end;
    queryClock.start();
    setReading(true);
    showStatus();
}

void HistoryData::slotStopQuery()
{
    // The query ends at its next look at the token, within a fraction of a second; its end is told
    // by slotReadFinished like any other.
    stoppedByOperator = true;
    runner.stop();
    form->bntStop->setEnabled(false);
}

bool HistoryData::refuseEmptyExport()
{
    if (!model.records().isEmpty())
        return false;
    QMessageBox box(QMessageBox::Information, tr("导出历史数据"), tr("没有可导出的记录"), QMessageBox::Ok, this,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setWindowIcon(windowIcon());
    box.button(QMessageBox::Ok)->setText(tr("确定"));
    Prompter::current().exec(box);
    return true;
}

void HistoryData::slotExportCSV()
{
    if (refuseEmptyExport())
        return;
    // The table for spreadsheets first; the lines as received second.
    const QStringList filters{tr("表格 CSV (*.csv)"), tr("记录原文 (*.csv)")};
    QString filter = filters.first();
    QString path = Prompter::current().getSaveFileNameOfType(this, tr("导出历史数据"), QString(),
                                                             filters.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty())
        return;
    path = HistoryExport::withSuffix(path, filter);
    const bool table = filter == filters.first();
    HistoryCsvWriter writer(path, table ? HistoryCsvWriter::Table : HistoryCsvWriter::RecordLines);
    if (table)
        writer.setDateTimeNames(RecordTableModel::tr("日期"), RecordTableModel::tr("时间"));
    if (!writer.open()) {
        showErrorBox(tr("导出历史数据"), tr("打开文件失败: %1").arg(path), windowIcon());
        return;
    }
    // The records' own file is byte for byte what the instrument sent.
    const RecordStore& lines = model.records();
    for (int row = 0; row < lines.lineCount(); ++row) {
        if (table)
            writer.addLine(lines.line(row));
        else
            writer.addRawLine(lines.rawLine(row));
    }
    if (!writer.commit()) {
        showErrorBox(tr("导出历史数据"), tr("写入文件失败: %1").arg(path), windowIcon());
        return;
    }
    tellExport(lines.recordCount(), path);
}

void HistoryData::tellExport(int records, const QString& path)
{
    form->labStatus->setText(
        tr("已导出 %1 条记录到 %2").arg(QLocale().toString(records), QDir::toNativeSeparators(path)));
}

void HistoryData::slotExportPDF()
{
    const QString filter = QStringLiteral("Files (*.pdf)");
    QString path = Prompter::current().getSaveFileName(this, tr("导出历史数据"), QString(), filter);
    if (path.isEmpty())
        return;
    path = HistoryExport::withSuffix(path, filter);
    PdfHeading heading = instrument;
    heading.from = queriedFrom;
    heading.to = queriedTo;
    heading.exportedAt = QDateTime::currentDateTime();
    // The report's chart shows what the screen's does: the curves ticked, over the span in sight.
    heading.chartColumns = trend->shownColumns();
    if (heading.chartColumns.isEmpty())
        heading.chartColumns = {-1};
    heading.chartFrom = trend->visibleFrom();
    heading.chartTo = trend->visibleTo();
    const ExportFailure failure = HistoryExport::exportPdf(model.records(), path, heading, reportTexts());
    if (failure != ExportFailure::None)
        showErrorBox(tr("导出历史数据"), exportFailureText(failure, path), windowIcon());
    else
        tellExport(model.records().recordCount(), path);
}

void HistoryData::copySelectedLines()
{
    // The selected records as the lines received, in the order the view shows them.
    QList<int> lines;
    if (sender() && sender()->parent() == tableView) {
        QModelIndexList rows = tableView->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        for (const QModelIndex& row : rows)
            lines.append(tableModel.columns().storeRow(sortProxy.mapToSource(row).row()));
    } else {
        QModelIndexList rows = view->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        for (const QModelIndex& row : rows)
            lines.append(row.row());
    }
    // Each line with its terminator as the instrument sent it.
    const DeviceTextDecoder decoder;
    QString text;
    for (const int line : lines) {
        QByteArray raw = model.records().rawLine(line);
        if (!raw.endsWith('\n'))
            raw += '\n';
        text += decoder.decode(raw);
    }
    QGuiApplication::clipboard()->setText(text);
}

QString HistoryData::summaryText() const
{
    return summaryLines(tableModel.columns()).join(QLatin1Char('\n'));
}

void HistoryData::showSummary()
{
    const QString text = summaryText();
    form->labSummary->setText(text);
    form->bntCopySummary->setEnabled(!text.isEmpty());
}

void HistoryData::showChart()
{
    sinceChart.start();
    trend->setSeries(ChartSeries::fromColumns(tableModel.sharedColumns(), tableModel.columnNames()));
}

void HistoryData::selectRecordAt(double time)
{
    const int record = nearestRecord(tableModel.columns(), time);
    if (record < 0 || record >= tableModel.rowCount())
        return;
    const QModelIndex row = sortProxy.mapFromSource(tableModel.index(record, 0));
    form->tabsRecords->setCurrentWidget(form->tabTable);
    tableView->selectRow(row.row());
    tableView->scrollTo(row, QAbstractItemView::PositionAtCenter);
}

void HistoryData::copySummary()
{
    QGuiApplication::clipboard()->setText(summaryText() + QLatin1Char('\n'));
}

void HistoryData::choosePreset(int preset)
{
    const QDate today = QDate::currentDate();
    switch (preset) {
    case 1: // today
        form->dateStart->setDate(today);
        break;
    case 2: // the last 7 days, today among them
        form->dateStart->setDate(today.addDays(-6));
        break;
    case 3:
        form->dateStart->setDate(today.addDays(-29));
        break;
    case 4: // this month
        form->dateStart->setDate(QDate(today.year(), today.month(), 1));
        break;
    default:
        return;
    }
    form->dateEnd->setDate(today);
    form->cmbRange->setCurrentIndex(0);
}

bool HistoryData::mayStopReading()
{
    if (!reading)
        return true;
    QMessageBox box(QMessageBox::Question, tr("查询"), tr("正在查询历史记录。停止查询并关闭窗口吗?"),
                    QMessageBox::Yes | QMessageBox::No, this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.setWindowIcon(windowIcon());
    box.button(QMessageBox::Yes)->setText(tr("是"));
    box.button(QMessageBox::No)->setText(tr("否"));
    return Prompter::current().exec(box) == QMessageBox::Yes;
}

void HistoryData::stopReading()
{
    if (!reading && !runner.isWorking())
        return;
    // The operator sees the dialog go at once; the query notices the stop within a moment.
    hide();
    runner.stopAndWait();
    setReading(false);
}

void HistoryData::done(int result)
{
    if (!mayStopReading())
        return;
    stopReading();
    QDialog::done(result);
}

void HistoryData::closeEvent(QCloseEvent* event)
{
    if (!mayStopReading()) {
        event->ignore();
        return;
    }
    stopReading();
    QDialog::closeEvent(event);
}
