#pragma once

#include "jobs/workerthread.h"

#include <QHostAddress>

class SearchDeviceDialogInterf;

// How a search ended, beside the rows it listed.
enum class SearchFailure {
    None,     // at least one instrument answered
    NotSent,  // no probe went out (no destination, or every send failed)
    NoAnswer, // probes went out and nobody answered
    Stopped   // it was stopped before anyone answered
};

// Sends the search probe to every destination in turn and reports each instrument that answers.
class DSearchDeviceThread : public WorkerThread
{
    Q_OBJECT
public:
    explicit DSearchDeviceThread(SearchDeviceDialogInterf* owner);
    // Stops a running search and waits for it: the thread is never destroyed while it runs.
    ~DSearchDeviceThread() override;

    SearchDeviceDialogInterf* owner() const { return dialogInterf; }

    // Starts a search unless one runs; stop() ends it at its next poll.
    void search() { startWork(QThread::InheritPriority); }

    static QByteArray probe() { return QByteArray(4, '\x01'); }

    // How the last search ended and how many answers it listed (read after finished()).
    SearchFailure failure() const { return failureCode; }
    int answers() const { return answerCount; }

signals:
    void signalSetEnableButtons(bool enable);
    void signalInsertDevice(const QString& content, const QHostAddress& hostAddress, quint16 hostPort);

protected:
    void run() override;

private:
    SearchDeviceDialogInterf* dialogInterf;
    SearchFailure failureCode = SearchFailure::None;
    int answerCount = 0;
};
