#pragma once

#include "lineview/linemodel.h"
#include "monitor/displayform.h"
#include "monitor/linelog.h"
#include "monitor/monitorthread.h"

#include <QByteArrayList>
#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

namespace Ui {
class MonitorDialog;
}

// Shows the instrument's lines live as text, hex or both, and switches its debug output, also
// while it listens. The view holds the newest lines (monitor/lines, by default 100 000) and draws
// once a frame, so neither a long run nor a flood of lines makes the window slow or large; every
// line can go to a log file as well. Scrolling up stops following the newest line, Pause freezes
// the view while lines are still counted and logged, and the lines held can be searched and
// filtered.
class MonitorDialog : public QDialog
{
    Q_OBJECT
public:
    // How many lines the worker may hand over ahead of the window (serial flow control).
    static constexpr int BacklogLines = 2000;
    // How often the status line is brought up to date.
    static constexpr int StatusMs = 500;
    // Typing in the filter box waits this long for the next key before it filters.
    static constexpr int FilterDelayMs = 250;

    explicit MonitorDialog(QWidget* parent = nullptr);
    ~MonitorDialog() override;

    MonitorThread& monitorThread() { return thread; }
    LineModel& lineModel() { return lines; }
    LineLog& lineLog() { return log; }
    // Lines received since the dialog opened, and those the view has taken so far (drawn, or
    // passed over for newer ones while it was paused or behind).
    qint64 receivedLineCount() const { return receivedTotal; }
    qint64 shownLineCount() const { return takenTotal; }
    // Draws the lines that wait for the next frame now.
    void drawPendingLines();
    // Starts writing every line to path (as zq-cli prints them); false after an error box.
    bool startLog(const QString& path);
    void stopLog();
    // Writes the rows the view holds, as they are shown (form, stamps, filter), one a line in
    // UTF-8, replacing path whole; false after an error box.
    bool saveShown(const QString& path);

    // Closing while a run is in progress stops the run and closes once it has finished (with
    // its closing debug command); the window stays responsive meanwhile.
    void done(int result) override;

public slots:
    void slotClearText();
    void slotShowError(const QString& title, const QString& error);
    void slotLinesRecv(const QByteArrayList& received, qint64 receivedAtMs);
    void slotThreadStarted();
    void slotThreadFinished();

private:
    void showStopping();
    void showStatus();
    // The datagrams lost in this run, for the status line; empty while none were.
    QString lossText() const;
    void showDebugState(bool on);
    void toggleLog();
    void find(bool forward);
    void showInForm();
    void useFontOfForm();
    QString rowText(const StoredLine& line);
    DisplayForm displayForm() const;

    Ui::MonitorDialog* form;
    MonitorThread thread;
    LineModel lines;
    LineLog log;
    DeviceTextDecoder decoder;
    StampClock stampClock;
    QTimer statusTimer;
    QTimer filterTimer;
    QElapsedTimer rateClock;
    qint64 receivedTotal = 0;
    qint64 takenTotal = 0;
    qint64 runLines = 0; // received in this run
    qint64 runDatagramsLost = 0; // dropped by the system in this run
    qint64 rateMark = 0; // runLines when the rate was last measured
    double rate = 0; // lines a second
    bool runActive = false; // from the start until finished() has arrived
    bool everStarted = false;
    bool closePending = false;
    int closeResult = Rejected;
};
