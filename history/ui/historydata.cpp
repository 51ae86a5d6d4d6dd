#include "history/ui/historydata.h"

#include "history/historyexport.h"
#include "link/frames.h"
#include "prompt/prompter.h"

#include "ui_historydata.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableView>

namespace {

// How often arrived lines are put on screen: the view learns of all of them at once, so its cost
// is one update a frame whatever the rate.
constexpr int FrameMs = 40;

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
    form->dateStart->setDate(QDate::currentDate());
    form->dateEnd->setDate(QDate::currentDate());

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
    // Queued: the thread object lives here, its signals come from the run, in order, and its end
    // comes after all of them.
    connect(&readThread, SIGNAL(signalClearText()), this, SLOT(slotClearText()));
    connect(&readThread, SIGNAL(signalAddLines(QString)), this, SLOT(slotAddLines(QString)));
    connect(&readThread, SIGNAL(signalShowError(QString, QString)), this, SLOT(slotShowError(QString, QString)));
    connect(&readThread, SIGNAL(signalCutOff()), this, SLOT(slotCutOff()));
    connect(&readThread, SIGNAL(finished()), this, SLOT(slotReadFinished()));
}

HistoryData::~HistoryData()
{
    // Torn down without a close (a test, a parent going away): the thread must not outlive us.
    readThread.stopAndWait();
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
    widestLine = 0;
    fitColumn();
    clearedThisRun = true;
    following = true;
}

void HistoryData::slotAddLines(const QString& lines)
{
    model.appendLines(lines);
}

void HistoryData::slotShowError(const QString& title, const QString& error)
{
    // Told when the run has ended, together with what arrived before it.
    failureTitle = title;
    failure = error;
}

void HistoryData::slotCutOff()
{
    cutOff = true;
}

void HistoryData::showArrivedLines()
{
    const int first = model.rowCount();
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
    view->setColumnWidth(0, qBound(view->viewport()->width(), widestLine, view->horizontalHeader()->maximumSectionSize()));
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
    form->labStatus->setText(reading ? tr("正在查询… 已收到 %1 条记录, 用时 %2").arg(count, time)
                                     : tr("已收到 %1 条记录, 用时 %2").arg(count, time));
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
    setReading(false);
    showStatus();
    const bool tell = isVisible();
    const int records = model.records().recordCount();
    QString kept;
    if (clearedThisRun && cutOff)
        kept = tr("传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。").arg(records);
    else if (clearedThisRun && records > 0)
        kept = tr("已收到的 %1 条完整记录已保留。").arg(records);
    if (tell && !failure.isEmpty()) {
        showErrorBox(failureTitle, failure + (kept.isEmpty() ? QString() : QStringLiteral("\n") + kept), windowIcon());
    } else if (tell && cutOff) {
        QMessageBox box(QMessageBox::Warning, tr("查询"), kept, QMessageBox::Ok, this,
                        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        box.setWindowIcon(windowIcon());
        box.button(QMessageBox::Ok)->setText(tr("确定"));
        Prompter::current().exec(box);
    }
}

void HistoryData::slotQueryHistory()
{
    if (readThread.isRunning())
        return;
    const QDate start = form->dateStart->date();
    const QDate end = form->dateEnd->date();
    if (end < start) {
        showErrorBox(tr("查询"), tr("起始日期应该小于或等于结束日期"), windowIcon());
        return;
    }
    clearedThisRun = false;
    cutOff = false;
    failure.clear();
    queriedFrom = start;
    queriedTo = end;
    queryClock.start();
    setReading(true);
    showStatus();
    readThread.startRead(buildHistoryRequest(start, end));
}

void HistoryData::slotStopQuery()
{
    // The run ends at its next look at the flag, within a fraction of a second; its end is told by
    // slotReadFinished like any other.
    readThread.stop();
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
    const QStringList filters = HistoryExport::csvFilters();
    QString filter = filters.first();
    QString path = Prompter::current().getSaveFileNameOfType(this, tr("导出历史数据"), QString(),
                                                              filters.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty())
        return;
    path = HistoryExport::withSuffix(path, filter);
    const QString error = HistoryExport::csvKindOf(filter) == HistoryExport::Table
                              ? HistoryExport::exportTableCsv(model.records(), path)
                              : HistoryExport::exportCsv(model.records(), path);
    if (!error.isEmpty())
        showErrorBox(tr("导出历史数据"), error, windowIcon());
}

void HistoryData::slotExportPDF()
{
    const QString filter = QStringLiteral("Files (*.pdf)");
    QString path = Prompter::current().getSaveFileName(this, tr("导出历史数据"), QString(), filter);
    if (path.isEmpty())
        return;
    path = HistoryExport::withSuffix(path, filter);
    const PdfHeading heading{instrumentName, queriedFrom, queriedTo, QDateTime::currentDateTime()};
    const QString error = HistoryExport::exportPdf(model.records(), path, heading);
    if (!error.isEmpty())
        showErrorBox(tr("导出历史数据"), error, windowIcon());
}

void HistoryData::copySelectedLines()
{
    QModelIndexList rows = view->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QString text;
    for (const QModelIndex& row : rows)
        text += model.records().line(row.row()) + QLatin1Char('\n');
    QGuiApplication::clipboard()->setText(text);
}

void HistoryData::stopReading()
{
    if (!readThread.isRunning())
        return;
    // The operator sees the dialog go at once; the run notices the stop within a moment.
    hide();
    readThread.stopAndWait();
}

void HistoryData::done(int result)
{
    stopReading();
    QDialog::done(result);
}

void HistoryData::closeEvent(QCloseEvent* event)
{
    stopReading();
    QDialog::closeEvent(event);
}
