#pragma once

#include "setup/devicesearch.h"
#include "setup/dsearchdevicethread.h"

#include <QDialog>
#include <QHash>
#include <QHostAddress>
#include <QPair>

namespace Ui {
class SearchDeviceDialog;
}
class QListWidgetItem;

// Lists the instruments that answer the search probe and lets the operator pick one.
class SearchDeviceDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SearchDeviceDialog(QWidget* parent = nullptr);
    ~SearchDeviceDialog() override;

    DSearchDeviceThread& searchThread() { return thread; }

    // The answer chosen when the dialog was accepted.
    QHostAddress selectedAddress;
    quint16 selectedPort = 0;

    // A running search is stopped and waited for before the dialog closes.
    void done(int result) override;

    // The line that shows one answer: the instrument's name, its address and the port to reach it.
    static QString deviceLine(const QString& name, const QHostAddress& address, quint16 port);

public slots:
    void slotCommit();
    void slotSearchDevice();
    void slotInsertDevice(const QString& content, const QHostAddress& hostAddress, quint16 hostPort);
    void slotItemDoubleClicked(QListWidgetItem* item);

signals:
    // A search has ended with this many instruments found (the window logs one that found none).
    void signalSearchEnded(int found);

protected:
    // The search starts when the dialog first opens.
    void showEvent(QShowEvent* event) override;

private:
    // Only Search again waits for the running search; Cancel stays enabled throughout and the
    // answers found so far can be chosen at once.
    void showSearching();
    void searchEnded();
    bool select(QListWidgetItem* item);
    // OK can be pressed only while an instrument is chosen.
    void updateOk();

    bool searchedOnce = false;

    Ui::SearchDeviceDialog* form;
    DSearchDeviceThread thread;
    // Items that share a name stay distinct entries.
    QHash<QListWidgetItem*, QPair<QHostAddress, quint16>> devices;
};
