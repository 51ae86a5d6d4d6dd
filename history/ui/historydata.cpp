#include "history/ui/historydata.h"

#include "prompt/prompter.h"
#include "history/historyexport.h"
#include "link/frames.h"

#include "ui_historydata.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDate>
#include <QElapsedTimer>
#include <QMessageBox>

namespace {

// How often arrived lines are put into the text box.
constexpr int DisplayTickMs = 50;
// Arrived lines go in batches of this many (a few milliseconds each) for at most DisplayBudgetMs a
// turn of the event loop; a larger backlog is shown over the next turns, so the window stays
// responsive during long transfers, also on a busy machine.
constexpr int LinesPerBatch = 500;
constexpr int DisplayBudgetMs = 20;

} // namespace

HistoryData::HistoryData(QWidget* parent) : QDialog(parent), form(new Ui::HistoryData)
{
    form->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/image/debug.png")));
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMaximizeButtonHint);
    form->textEdit->setReadOnly(true);
    // Nothing is ever undone in a read-only box; an undo stack would only hold a second copy.
    form->textEdit->setUndoRedoEnabled(false);
    form->dateStart->setCalendarPopup(true);
    form->dateEnd->setCalendarPopup(true);
    form->dateStart->setDate(QDate::currentDate());
    form->dateEnd->setDate(QDate::currentDate());

    displayTick.setSingleShot(true);
    displayTick.setInterval(DisplayTickMs);
    connect(&displayTick, SIGNAL(timeout()), this, SLOT(showArrivedText()));

    connect(form->bntQuery, SIGNAL(clicked()), this, SLOT(slotQueryHistory()));
    connect(form->bntExportCSV, SIGNAL(clicked()), this, SLOT(slotExportCSV()));
    connect(form->bntExportPDF, SIGNAL(clicked()), this, SLOT(slotExportPDF()));
    // Queued: the thread object lives here, its signals come from the run.
    connect(&readThread, SIGNAL(signalClearText()), this, SLOT(slotClearText()));
    connect(&readThread, SIGNAL(signalAddText(QString)), this, SLOT(slotAddText(QString)));
    connect(&readThread, SIGNAL(signalShowError(QString, QString)), this, SLOT(slotShowError(QString, QString)));
    // The last lines of a run need not wait for the next tick.
    connect(&readThread, SIGNAL(finished()), this, SLOT(showArrivedText()));
}

HistoryData::~HistoryData()
{
    // Torn down without a close (a test, a parent going away): the thread must not outlive us.
    readThread.stop();
    readThread.wait();
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
    arrivedLines.clear();
    displayTick.stop();
    form->textEdit->clear();
}

void HistoryData::slotAddText(const QString& text)
{
    arrivedLines.append(text);
    if (!displayTick.isActive())
        displayTick.start(DisplayTickMs);
}

void HistoryData::showArrivedText()
{
    displayTick.stop();
    QElapsedTimer turn;
    turn.start();
    while (!arrivedLines.isEmpty() && turn.elapsed() < DisplayBudgetMs) {
        const int count = qMin(LinesPerBatch, arrivedLines.size());
        QString text;
        for (int i = 0; i < count; ++i)
            text += arrivedLines.at(i);
        arrivedLines.erase(arrivedLines.begin(), arrivedLines.begin() + count);
        form->textEdit->moveCursor(QTextCursor::End);
        form->textEdit->insertPlainText(text);
    }
    if (!arrivedLines.isEmpty())
        displayTick.start(0);
}

void HistoryData::showAllArrivedText()
{
    while (!arrivedLines.isEmpty())
        showArrivedText();
    displayTick.stop();
}

void HistoryData::slotShowError(const QString& title, const QString& error)
{
    showAllArrivedText();
    showErrorBox(title, error, windowIcon());
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
    readThread.startRead(buildHistoryRequest(start, end));
}

void HistoryData::slotExportCSV()
{
    const QString path = Prompter::current().getSaveFileName(this, tr("导出历史数据"), QString(),
                                                              QStringLiteral("Files (*.csv)"));
    if (path.isEmpty())
        return;
    showAllArrivedText();
    const QString error = HistoryExport::exportCsv(form->textEdit->toPlainText(), path);
    if (!error.isEmpty())
        showErrorBox(tr("导出历史数据"), error, windowIcon());
}

void HistoryData::slotExportPDF()
{
    const QString path = Prompter::current().getSaveFileName(this, tr("导出历史数据"), QString(),
                                                              QStringLiteral("Files (*.pdf)"));
    if (path.isEmpty())
        return;
    showAllArrivedText();
    const QString error = HistoryExport::exportPdf(form->textEdit->toPlainText(), path);
    if (!error.isEmpty())
        showErrorBox(tr("导出历史数据"), error, windowIcon());
}

void HistoryData::stopReading()
{
    if (!readThread.isRunning())
        return;
    // The operator sees the dialog go at once; the run notices the stop within a moment.
    hide();
    readThread.stop();
    readThread.wait();
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
