#include "monitor/ui/monitordialog.h"

#include "prompt/prompter.h"

#include "ui_monitordialog.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTextCursor>

MonitorDialog::MonitorDialog(QWidget* parent) : QDialog(parent), form(new Ui::MonitorDialog)
{
    form->setupUi(this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMaximizeButtonHint);
    // A read-only log needs no undo history, which would otherwise keep a copy of every line.
    form->textEdit->setUndoRedoEnabled(false);

    drawTimer.setSingleShot(true);
    drawTimer.setInterval(DrawIntervalMs);
    connect(&drawTimer, &QTimer::timeout, this, &MonitorDialog::drawSome);
    thread.setBacklogLimit(BacklogLines);

    // The stop returns at once; until finished() the dialog shows that the run is ending.
    connect(form->bntStop, SIGNAL(pressed()), &thread, SLOT(stop()));
    connect(form->bntStop, &QAbstractButton::pressed, this, &MonitorDialog::showStopping);
    connect(form->bntClear, SIGNAL(pressed()), this, SLOT(slotClearText()));
    connect(form->bntStart, &QAbstractButton::pressed, this, [this] {
        thread.setDebug(form->ckDebug->isChecked());
        thread.start();
        runActive = runActive || thread.isRunning();
    });
    connect(&thread, SIGNAL(started()), this, SLOT(slotThreadStarted()));
    connect(&thread, SIGNAL(finished()), this, SLOT(slotThreadFinished()));
    connect(&thread, SIGNAL(signalShowError(const QString&, const QString&)), this,
            SLOT(slotShowError(const QString&, const QString&)));
    connect(&thread, SIGNAL(signalDataRecv(const QByteArray&)), this, SLOT(slotDataRecv(const QByteArray&)));
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
    QDialog::done(result);
}

void MonitorDialog::slotClearText()
{
    pendingLines.clear();
    form->textEdit->clear();
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

void MonitorDialog::slotDataRecv(const QByteArray& buffer)
{
    thread.lineTaken();
    if (buffer.isEmpty())
        return;
    // The form and the stamp are taken now, for each line; only the drawing waits.
    const DisplayForm shownAs = displayForm();
    pendingLines.append(displayLine(buffer, shownAs, shownAs == DisplayForm::Original ? QString() : stampClock.now()));
    if (!drawTimer.isActive())
        drawTimer.start(DrawIntervalMs);
}

void MonitorDialog::drawPendingLines()
{
    while (!pendingLines.isEmpty())
        drawSome();
}

void MonitorDialog::drawSome()
{
    drawTimer.stop();
    if (pendingLines.isEmpty())
        return;
    const int count = qMin(LinesPerDraw, pendingLines.size());
    QString text;
    for (int i = 0; i < count; ++i)
        text += pendingLines.at(i);
    pendingLines.erase(pendingLines.begin(), pendingLines.begin() + count);
    form->textEdit->moveCursor(QTextCursor::End);
    form->textEdit->insertPlainText(text);
    shownLines += count;
    if (!pendingLines.isEmpty())
        drawTimer.start(0);
}

void MonitorDialog::slotThreadStarted()
{
    runActive = true;
    form->bntStart->setEnabled(false);
    form->bntStop->setEnabled(!thread.isStopping());
    form->ckDebug->setEnabled(false);
}

void MonitorDialog::slotThreadFinished()
{
    runActive = false;
    drawPendingLines();
    form->bntStart->setEnabled(true);
    form->bntStop->setEnabled(false);
    form->ckDebug->setEnabled(true);
    if (closePending) {
        closePending = false;
        QDialog::done(closeResult);
    }
}

void MonitorDialog::showStopping()
{
    if (!runActive)
        return;
    form->bntStart->setEnabled(false);
    // Only enablement changes: a new button text would resize the text box and lay out every
    // line in it again.
    form->bntStop->setEnabled(false);
    form->ckDebug->setEnabled(false);
}

DisplayForm MonitorDialog::displayForm() const
{
    if (form->rdHex->isChecked())
        return DisplayForm::Hex;
    if (form->rdOriginalHex->isChecked())
        return DisplayForm::OriginalHex;
    return DisplayForm::Original;
}
