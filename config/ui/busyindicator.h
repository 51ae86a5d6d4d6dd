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
    ElidedLabel* labBusy;
    QProgressBar* barBusy;
    QPushButton* bntCancel;
    QTimer* showDelay;
};
