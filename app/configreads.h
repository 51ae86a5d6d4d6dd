#pragma once

#include "app/instrumentrows.h"
#include "app/readcollector.h"
#include "config/configoutcome.h"

#include <QObject>
#include <QStringList>

struct ConfigReadFailure;
class BusyIndicator;
class ConfigModel;
class ConnectionBar;
class OutcomeReport;
class QStatusBar;

// What the window makes of a read as it goes: its rows collected aside and counted in the busy
// indicator, shown in the model only when the read completes (a failed or stopped read leaves
// the rows as they were), and its end or failure told in the status bar, a box and the log.
class ConfigReads : public QObject
{
    Q_OBJECT
public:
    ConfigReads(ConfigModel& rows, BusyIndicator& busy, ConnectionBar& connection, QStatusBar& status,
                const OutcomeReport& report, QObject* parent = nullptr);

    // A read the operator asked for begins: the instrument has not yet been silent in it.
    void begin();
    void started() { collector.start(); }
    // How the next item's text was decoded (told just before its item).
    void setCodec(int codec) { collector.setCodec(codec); }
    void add(int index, const QStringList& fields);
    void contact(LinkContact contact);
    // The read's end (a RefreshThread::ReadEnd) under the operation's name: true when it completed
    // and the model shows its rows; identity() then tells whom it read.
    bool end(int how, int itemsRead, const QString& operation);
    // reading: the failure ends a read the operator asked for (which may then say where to look).
    void fail(const ConfigReadFailure& failure, const QString& operation, bool reading);
    const InstrumentIdentity& identity() const { return instrument; }

private:
    ConfigModel& rows;
    BusyIndicator& busy;
    ConnectionBar& connection;
    QStatusBar& status;
    const OutcomeReport& report;
    ReadCollector collector;
    InstrumentIdentity instrument;
};
