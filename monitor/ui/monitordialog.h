#pragma once

#include "monitor/displayform.h"
#include "monitor/monitorthread.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace Ui {
class MonitorDialog;
}

// Shows the instrument's lines live as text, hex or both, and switches its debug output. Lines are
// formatted (and stamped) as they arrive and drawn together a few times a second, so that a flood
// of lines leaves the window responsive.
class MonitorDialog : public QDialog
{
    Q_OBJECT
public:
    // How long a received line may wait before it is drawn, and how many lines the worker may
    // hand over ahead of the window.
    static constexpr int DrawIntervalMs = 50;
    static constexpr int BacklogLines = 2000;
    // Laying out a line in the text box is the dearest step; a drawing takes at most this many,
    // and the rest follow as soon as the event loop has had its turn.
    static constexpr int LinesPerDraw = 100;

    explicit MonitorDialog(QWidget* parent = nullptr);
    ~MonitorDialog() override;

    MonitorThread& monitorThread() { return thread; }
    // Lines put into the text box so far (cleared or not).
    qint64 shownLineCount() const { return shownLines; }
    // Draws the lines that wait for the next drawing now.
    void drawPendingLines();

    // Closing while a run is in progress stops the run and closes once it has finished (with
    // its closing debug command); the window stays responsive meanwhile.
    void done(int result) override;

public slots:
    void slotClearText();
    void slotShowError(const QString& title, const QString& error);
    void slotDataRecv(const QByteArray& buffer);
    void slotThreadStarted();
    void slotThreadFinished();

private:
    void showStopping();
    void drawSome();
    DisplayForm displayForm() const;

    Ui::MonitorDialog* form;
    MonitorThread thread;
    QTimer drawTimer;
    QStringList pendingLines; // formatted and stamped, not yet drawn
    StampClock stampClock;
    qint64 shownLines = 0;
    bool runActive = false; // from the start until finished() has arrived
    bool closePending = false;
    int closeResult = Rejected;
};
