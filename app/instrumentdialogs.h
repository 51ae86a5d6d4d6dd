#pragma once

#include "config/configrow.h"

#include <functional>

struct InstrumentIdentity;
class ConnectionBar;
class OutcomeReport;
class QWidget;
class UpdateThread;

// The dialogs of the window that talk to the instrument over a link of their own. Each returns
// when its dialog has closed.

// The communication settings; a device search from them that found nothing goes to the log with
// what to check.
void runSetupDialog(QWidget* parent, const OutcomeReport& report);
// The history's PDF names the instrument the last complete read named, hidden row or not. The
// connection bar shows the records that come as contact.
void runHistoryDialog(QWidget* parent, ConnectionBar& bar, const InstrumentIdentity& instrument);
// The connection bar shows the lines that come as contact.
void runMonitorDialog(QWidget* parent, ConnectionBar& bar);
// The confirmation compares the package with the version and model among the rows last read;
// flashed runs once the instrument has taken new firmware (and so holds new values).
void runUpdateDialog(QWidget* parent, UpdateThread& worker, const ConfigRows& read,
                     const std::function<void()>& flashed);
