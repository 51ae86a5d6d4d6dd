#include "app/instrumentdialogs.h"

#include "app/contactwatch.h"
#include "app/failurehint.h"
#include "app/instrumentrows.h"
#include "app/outcomereport.h"
#include "firmware/firmwareversion.h"
#include "firmware/ui/updatedialog.h"
#include "history/ui/historydata.h"
#include "monitor/ui/monitordialog.h"
#include "prompt/prompter.h"
#include "setup/searchtargets.h"
#include "setup/ui/setupdialog.h"

#include <QCoreApplication>

#include <utility>

void runSetupDialog(QWidget* parent, const OutcomeReport& report)
{
    SetupDialog dialog(parent);
    QObject::connect(&dialog, &SetupDialog::signalSearchEnded, &dialog, [&report](int found) {
        if (found > 0)
            return;
        report.log(QCoreApplication::translate("MainWindow", "查找设备"), true,
                   QCoreApplication::translate("MainWindow", "未找到设备"),
                   searchFailureHint(SearchTargets::current().probePort));
    });
    Prompter::current().exec(dialog);
}

void runHistoryDialog(QWidget* parent, ConnectionBar& bar, const InstrumentIdentity& instrument)
{
    HistoryData dialog(parent);
    dialog.setInstrument(instrument.name, instrument.model, instrument.serial);
    int heard = 0;
    execWatchingContact(dialog, bar, [&](bool& waiting) {
        const int lines = dialog.records().lineCount();
        waiting = dialog.isQuerying() && lines == 0;
        return std::exchange(heard, lines) != lines ? LinkContact::Answered : LinkContact::NotTried;
    });
}

void runMonitorDialog(QWidget* parent, ConnectionBar& bar)
{
    MonitorDialog dialog(parent);
    qint64 heard = 0;
    execWatchingContact(dialog, bar, [&](bool&) {
        const qint64 lines = dialog.receivedLineCount();
        return std::exchange(heard, lines) != lines ? LinkContact::Answered : LinkContact::NotTried;
    });
}

void runUpdateDialog(QWidget* parent, UpdateThread& worker, const ConfigRows& read,
                     const std::function<void()>& flashed)
{
    UpdateDialog dialog(parent, &worker);
    for (const ConfigRow& row : read) {
        if (FirmwareVersion::isVersionRow(row.name))
            dialog.setInstrumentVersion(row.value.trimmed());
        else if (isModelRow(row.name))
            dialog.setInstrumentModel(row.value.trimmed()); // its newest file is marked in the catalogue
    }
    QObject::connect(&dialog, &UpdateDialog::signalFirmwareUpdated, &dialog, flashed);
    Prompter::current().exec(dialog);
}
