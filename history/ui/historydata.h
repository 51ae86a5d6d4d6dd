#pragma once

#include "history/historyexport.h"
#include "history/historyquery.h"
#include "history/recordmodel.h"
#include "history/ui/recordtablemodel.h"
#include "jobs/jobrunner.h"

#include <QDate>
#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

namespace Ui {
class HistoryData;
}
class QCloseEvent;
class QIcon;
class QEvent;
class QTableView;
class HistoryChart;

// The history dialog: asks the instrument for the records of a date range, shows them as they
// arrive with their count and the time taken, and exports the records as CSV or as a PDF table.
class HistoryData : public QDialog
{
    Q_OBJECT
public:
    explicit HistoryData(QWidget* parent = nullptr);
    ~HistoryData() override;

    // A critical box with one "确定" button, through the Prompter.
    void showErrorBox(const QString& title, const QString& text, const QIcon& icon);

    // Whether a query is under way (tests and the benchmark wait for its end).
    bool isQuerying() const { return runner.isWorking() || reading; }
    // The lines of the last query that were no records, the newest last (at most StrayLinesKept).
    QStringList strayLines() const;
    static constexpr int StrayLinesKept = 1000;
    // Every whole line of the last query, shown or about to be.
    const RecordStore& records() const { return model.records(); }
    // The records as columns, as the table shows them.
    const RecordTableModel& table() const { return tableModel; }
    // The summary of the numeric columns as shown above the table, one line a column.
    QString summaryText() const;
    // The trend chart below the table.
    HistoryChart* chart() const { return trend; }
    // The instrument the last configuration read named (name, model, serial), for the PDF's band;
    // empty where unknown.
    void setInstrument(const QString& name, const QString& model, const QString& serial)
    {
        instrument.instrument = name;
        instrument.model = model;
        instrument.serial = serial;
    }

public slots:
    void slotClearText();
    void slotAddLines(const QString& lines);
    // Lines as the instrument sent them, terminators included.
    void slotAddRecordBytes(const QByteArray& lines);
    void slotQueryHistory();
    void slotStopQuery();
    void slotExportCSV();
    void slotExportPDF();

    // Escape and close both end here: a running transfer is stopped and waited for first.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void showArrivedLines();
    void slotReadFinished();
    void copySelectedLines();
    void copySummary();
    void choosePreset(int preset);
    void selectRecordAt(double time);

private:
    // Asks before a running query is thrown away; true when none runs or the operator agreed.
    bool mayStopReading();
    void stopReading();
    void addStrayLines(const QStringList& lines);
    void tellEnd(const HistoryOutcome& outcome);
    void showStatus();
    void setReading(bool reading);
    bool refuseEmptyExport();
    void fitColumn();
    void showSummary();
    void showSoon();
    void showChart();
    void tellExport(int records, const QString& path);

    Ui::HistoryData* form;
    RecordModel model;
    RecordTableModel tableModel{model.records()};
    RecordSortProxy sortProxy;
    QTableView* tableView;
    HistoryChart* trend;
    QElapsedTimer sinceChart; // the chart follows a running query at most twice a second
    bool tableFitted = false;
    JobRunner runner;
    HistoryOutcome lastOutcome;
    QTableView* view;
    int widestLine = 0; // the width of the longest line shown, for the column
    // Puts the lines that arrived on screen once a frame, however fast they come.
    QTimer frameTick;
    QElapsedTimer queryClock;
    qint64 queryMs = 0;
    bool reading = false;
    bool following = true;
    // What the run reported, told once it has ended.
    bool clearedThisRun = false;
    bool stoppedByOperator = false;
    QDate queriedFrom;
    QDate queriedTo;
    PdfHeading instrument;
};
