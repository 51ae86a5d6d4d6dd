#pragma once

#include <QHostAddress>
#include <QThread>

#include <atomic>

class SearchDeviceDialogInterf;

// Sends the search probe to every destination in turn and reports each instrument that answers.
class DSearchDeviceThread : public QThread
{
    Q_OBJECT
public:
    explicit DSearchDeviceThread(SearchDeviceDialogInterf* owner);
    // Stops a running search and waits for it: the thread is never destroyed while it runs.
    ~DSearchDeviceThread() override;

    SearchDeviceDialogInterf* owner() const { return dialogInterf; }

    // Starts a search unless one runs.
    void search();
    // Asks a running search to end at its next poll.
    void requestStop() { stopRequested = true; }

    static QByteArray probe() { return QByteArray(4, '\x01'); }

signals:
    void signalSetEnableButtons(bool enable);
    void signalInsertDevice(const QString& content, const QHostAddress& hostAddress, quint16 hostPort);

protected:
    void run() override;

private:
    SearchDeviceDialogInterf* dialogInterf;
    std::atomic<bool> stopRequested{false};
};
