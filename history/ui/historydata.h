#pragma once

#include "history/readthread.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace Ui {
class HistoryData;
}
class QCloseEvent;
class QIcon;

// The history dialog: asks the instrument for the records of a date range, shows them as they
// arrive and exports what the text box holds as CSV or as a ruled PDF table.
class HistoryData : public QDialog
{
    Q_OBJECT
public:
    explicit HistoryData(QWidget* parent = nullptr);
    ~HistoryData() override;

    // A critical box with one "确定" button, through the Prompter.
    void showErrorBox(const QString& title, const QString& text, const QIcon& icon);

    // The worker, for tests and the benchmark that wait for its end.
    ReadThread& reader() { return readThread; }

public slots:
    void slotClearText();
    void slotAddText(const QString& text);
    void slotShowError(const QString& title, const QString& error);
    void slotQueryHistory();
    void slotExportCSV();
    void slotExportPDF();

    // Escape and close both end here: a running transfer is stopped and waited for first.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void showArrivedText();

private:
    void stopReading();
    void showAllArrivedText();

    Ui::HistoryData* form;
    ReadThread readThread;
    // Lines that arrived since the last display tick; inserted together, which is far cheaper
    // than one insertion per line.
    QStringList arrivedLines;
    QTimer displayTick;
};
