#pragma once

#include <QWidget>

class ElidedLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The status bar's note of the operation under way: what it does, how far it is and a button
// that stops it. Hidden while nothing runs, and for the first ShowDelayMs of an operation: one
// that ends sooner (most, on a fast link) neither flashes the note nor spends a relayout of the
// status bar on it.
class BusyIndicator : public QWidget
{
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget* parent = nullptr);

    static constexpr int ShowDelayMs = 200;

    // Shows text with a bar that moves without an end until progress is known.
    void start(const QString& text);
    // done of total; a total of 0 or less keeps the bar moving without an end.
    void setProgress(const QString& text, int done, int total);
    void stop();

    QString text() const;
    QPushButton* cancelButton() const { return bntCancel; }

signals:
    void signalCancel();

protected:
    void changeEvent(QEvent* event) override;

private:
    // While the note waits to be shown, what it will show is only kept: a write reports its first
    // row at once, and the label would measure and lay out a text nobody sees.
    void showNote();
    void applyProgress();
    QString pendingText;
    int pendingDone = 0;
    int pendingTotal = 0;

    ElidedLabel* labBusy;
    QProgressBar* barBusy;
    QPushButton* bntCancel;
    QTimer* showDelay;
};
