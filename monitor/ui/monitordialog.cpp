#include "monitor/ui/monitordialog.h"

#include "files/wholefile.h"
#include "monitor/texts/monitortexts.h"
#include "prompt/placeholderwidth.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"

#include "ui_monitordialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QShortcut>
#include <QSignalBlocker>

namespace {

// A view of fewer lines is of little use, and a larger one would outgrow the memory the window
// is meant to keep.
constexpr int FewestLines = 100;
constexpr int MostLines = 5000000;

int heldLinesSetting()
{
    // Read as 64 bits so that a huge number is held to the most, not wrapped.
    return int(Config().heldInteger(Settings::MonitorLines, FewestLines, MostLines));
}

} // namespace

MonitorDialog::MonitorDialog(QWidget* parent) : QDialog(parent), form(new Ui::MonitorDialog)
{
    form->setupUi(this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMaximizeButtonHint);
    keepPlaceholderWhole(*form->edFind);
    keepPlaceholderWhole(*form->edFilter);

    lines.setCapacity(heldLinesSetting());
    lines.setFormatter([this](const StoredLine& line) { return rowText(line); });
    form->lineView->setModel(&lines);
    connect(&lines, &LineModel::linesTaken, this, [this](int count) {
        takenTotal += count;
        thread.linesTaken(count);
    });
    thread.setBacklogLimit(BacklogLines);

    // The stop returns at once; until finished() the dialog shows that the run is ending.
    connect(form->bntStop, SIGNAL(pressed()), &thread, SLOT(stop()));
    connect(form->bntStop, &QAbstractButton::pressed, this, &MonitorDialog::showStopping);
    connect(form->bntClear, SIGNAL(pressed()), this, SLOT(slotClearText()));
    connect(form->bntStart, &QAbstractButton::pressed, this, [this] {
        // A changed size of the view takes effect with the next run.
        if (!thread.isRunning() && lines.capacity() != heldLinesSetting())
            lines.setCapacity(heldLinesSetting());
        thread.setDebug(form->ckDebug->isChecked());
        thread.start();
        runActive = runActive || thread.isRunning();
    });
    connect(&thread, SIGNAL(started()), this, SLOT(slotThreadStarted()));
    connect(&thread, SIGNAL(finished()), this, SLOT(slotThreadFinished()));
    connect(&thread, &MonitorThread::signalFailed, this,
            [this](MonitorFailure failure, LinkError error, const QString& openError) {
                slotShowError(MonitorTexts::failureTitle(failure),
                              MonitorTexts::failureText(failure, error, openError));
            });
    connect(&thread, &MonitorThread::signalLinesRecv, this, &MonitorDialog::slotLinesRecv);
    connect(&thread, &MonitorThread::signalDatagramsLost, this, [this](qint64 total) { runDatagramsLost = total; });
    connect(&thread, &MonitorThread::signalDebugSwitched, this, &MonitorDialog::showDebugState);
    // While a run listens the box switches the instrument's output at once.
    connect(form->ckDebug, &QAbstractButton::clicked, this, [this](bool on) {
        if (runActive)
            thread.requestDebug(on);
    });

    // The lines held are shown anew in the form chosen, where they are.
    for (QAbstractButton* radio : {form->rdOriginal, form->rdHex, form->rdOriginalHex})
        connect(radio, &QAbstractButton::toggled, this, [this](bool checked) {
            if (checked)
                showInForm();
        });
    connect(form->ckStamp, &QAbstractButton::toggled, this, &MonitorDialog::showInForm);

    connect(form->bntPause, &QAbstractButton::toggled, &lines, &LineModel::setPaused);
    connect(form->bntFollow, &QAbstractButton::toggled, form->lineView, &LineView::setFollowing);
    connect(form->lineView, &LineView::followingChanged, this, [this](bool on) {
        const QSignalBlocker blocker(form->bntFollow);
        form->bntFollow->setChecked(on);
    });

    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        form->edFind->setFocus();
        form->edFind->selectAll();
    });
    connect(form->edFind, &QLineEdit::returnPressed, this, [this] { find(true); });
    connect(form->bntFindNext, &QAbstractButton::clicked, this, [this] { find(true); });
    connect(form->bntFindPrev, &QAbstractButton::clicked, this, [this] { find(false); });
    filterTimer.setSingleShot(true);
    filterTimer.setInterval(FilterDelayMs);
    connect(form->edFilter, &QLineEdit::textChanged, &filterTimer, qOverload<>(&QTimer::start));
    connect(&filterTimer, &QTimer::timeout, this, [this] { lines.setFilter(form->edFilter->text()); });

    connect(form->bntLog, &QAbstractButton::clicked, this, &MonitorDialog::toggleLog);
    connect(form->bntSaveShown, &QAbstractButton::clicked, this, [this] {
        const QString path =
            Prompter::current().getSaveFileName(this, tr("保存显示内容"), QString(), tr("文本文件 (*.txt *.log)"));
        if (!path.isEmpty())
            saveShown(path);
    });
    connect(&log, &LineLog::failed, this, [this](const QString& error) {
        stopLog();
        slotShowError(tr("记录到文件"), error);
    });

    statusTimer.setInterval(StatusMs);
    connect(&statusTimer, &QTimer::timeout, this, &MonitorDialog::showStatus);
}

MonitorDialog::~MonitorDialog()
{
    // Normally the run has ended before (see done()); a dialog torn down otherwise still never
    // destroys a running thread.
    thread.stopAndWait();
    delete form;
}

void MonitorDialog::done(int result)
{
    if (runActive) {
        closePending = true;
        closeResult = result;
        thread.stop();
        showStopping();
        return;
    }
    drawPendingLines();
    stopLog();
    QDialog::done(result);
}

void MonitorDialog::drawPendingLines()
{
    lines.drainAll();
}

void MonitorDialog::slotClearText()
{
    lines.clear();
}

void MonitorDialog::slotShowError(const QString& title, const QString& error)
{
    // The lines that came before the error are on screen before its box.
    drawPendingLines();
    QMessageBox box(QMessageBox::Critical, title, error, QMessageBox::Ok, this);
    box.setWindowIcon(windowIcon());
    box.button(QMessageBox::Ok)->setText(tr("确定"));
    Prompter::current().exec(box);
}

void MonitorDialog::slotLinesRecv(const QByteArrayList& received, qint64 receivedAtMs)
{
    receivedTotal += received.size();
    runLines += received.size();
    // The form and the stamp are those of the moment the lines came; only the drawing waits.
    const DisplayForm shownAs = displayForm();
    if (log.isOpen()) {
        const QString time = stampClock.at(receivedAtMs);
        for (const QByteArray& line : received)
            log.write(shownLine(line, shownAs, time, decoder));
    }
    lines.enqueue(received, receivedAtMs);
}

void MonitorDialog::slotThreadStarted()
{
    runActive = true;
    everStarted = true;
    runLines = rateMark = runDatagramsLost = 0;
    rate = 0;
    rateClock.start();
    statusTimer.start();
    showStatus();
    form->bntStart->setEnabled(false);
    form->bntStop->setEnabled(!thread.isStopping());
    form->ckDebug->setEnabled(!thread.isStopping());
}

void MonitorDialog::slotThreadFinished()
{
    runActive = false;
    drawPendingLines();
    statusTimer.stop();
    showStatus();
    form->bntStart->setEnabled(true);
    form->bntStop->setEnabled(false);
    form->ckDebug->setEnabled(true);
    if (closePending) {
        closePending = false;
        stopLog();
        QDialog::done(closeResult);
    }
}

bool MonitorDialog::startLog(const QString& path)
{
    if (!log.open(path)) {
        slotShowError(tr("记录到文件"), tr("无法写入文件 %1: %2").arg(QDir::toNativeSeparators(path), log.errorText()));
        return false;
    }
    form->bntLog->setText(tr("停止记录"));
    form->labLogFile->setText(tr("记录到: %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void MonitorDialog::stopLog()
{
    log.close();
    form->bntLog->setText(tr("记录到文件…"));
    form->labLogFile->clear();
}

void MonitorDialog::toggleLog()
{
    if (log.isOpen()) {
        stopLog();
        return;
    }
    const QString path =
        Prompter::current().getSaveFileName(this, tr("记录到文件"), QString(), tr("文本文件 (*.txt *.log)"));
    if (!path.isEmpty())
        startLog(path);
}

void MonitorDialog::showStopping()
{
    if (!runActive)
        return;
    form->bntStart->setEnabled(false);
    form->bntStop->setEnabled(false);
    form->ckDebug->setEnabled(false);
}

void MonitorDialog::showStatus()
{
    if (runActive) {
        const qint64 elapsed = rateClock.restart();
        if (elapsed > 0)
            rate = double(runLines - rateMark) * 1000.0 / double(elapsed);
        rateMark = runLines;
        form->labStatus->setText(tr("监听中…  %1 行, %2 行/秒").arg(runLines).arg(qRound64(rate)) + lossText());
    } else if (everStarted) {
        form->labStatus->setText(tr("已停止  %1 行").arg(runLines) + lossText());
    }
}

QString MonitorDialog::lossText() const
{
    return runDatagramsLost > 0 ? tr(",  丢失 %1 个数据报").arg(runDatagramsLost) : QString();
}

void MonitorDialog::showDebugState(bool on)
{
    const QSignalBlocker blocker(form->ckDebug);
    form->ckDebug->setChecked(on);
}

void MonitorDialog::find(bool forward)
{
    LineView* view = form->lineView;
    const int from = view->currentRow() >= 0 ? view->currentRow()
        : forward                            ? view->firstVisibleRow() - 1
                                             : view->lastVisibleRow() + 1;
    const int row = lines.find(form->edFind->text(), from, forward);
    if (row < 0) {
        QApplication::beep();
        return;
    }
    // A found line stays where it is while newer lines come.
    view->setFollowing(false);
    view->selectRow(row);
}

bool MonitorDialog::saveShown(const QString& path)
{
    drawPendingLines();
    WholeFile file(path);
    bool written = file.open();
    // The rows as the view shows them, in its order, one a line: what the filter hides stays out.
    for (int row = 0; written && row < lines.rowCount(); ++row)
        written = file.device()->write((lines.textAt(row) + QLatin1Char('\n')).toUtf8()) >= 0;
    if (written && file.commit())
        return true;
    slotShowError(tr("保存显示内容"),
                  tr("无法写入文件 %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}

void MonitorDialog::showInForm()
{
    useFontOfForm();
    lines.refreshTexts();
}

void MonitorDialog::useFontOfForm()
{
    // Hex columns line up only in a font whose characters are all of one width.
    form->lineView->setFont(
        displayForm() == DisplayForm::Original ? font() : QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

QString MonitorDialog::rowText(const StoredLine& line)
{
    // Every row in the form chosen now: a change of form shows the lines held anew.
    const DisplayForm shownAs = displayForm();
    const bool stamped = shownAs != DisplayForm::Original || form->ckStamp->isChecked();
    return shownLine(line.bytes, shownAs, stamped ? stampClock.at(line.stampMs) : QString(), decoder);
}

DisplayForm MonitorDialog::displayForm() const
{
    if (form->rdHex->isChecked())
        return DisplayForm::Hex;
    if (form->rdOriginalHex->isChecked())
        return DisplayForm::OriginalHex;
    return DisplayForm::Original;
}
