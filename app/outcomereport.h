#pragma once

#include "config/configoutcome.h"
#include "config/texts/configtexts.h"

#include <QString>

class ConnectionBar;
class OperationsLog;
class QIcon;
class QMainWindow;

// How the window tells what an operation came to: its boxes in order (a failure also in the status
// bar for a while), its status text, and all of it in the operations log under the operation's name
// and the link it went over.
class OutcomeReport
{
public:
    OutcomeReport(QMainWindow& window, OperationsLog& log, const ConnectionBar& connection);

    // A critical box with one "确定" button; its text also stays in the status bar for StatusMs.
    // A hint, when given, is a further line in the box only.
    void showError(const QString& title, const QString& text, const QIcon& icon, const QString& hint = QString()) const;
    // The first box of a failure in which the instrument did not answer also says where to look.
    void show(const ConfigOutcome& outcome, const QString& operation) const;
    // The same with the outcome's messages as given (the window may add to them).
    void show(const ConfigMessages& messages, const ConfigOutcome& outcome, const QString& operation) const;
    void log(const QString& operation, bool failed, const QString& text, const QString& hint = QString()) const;

    static constexpr int StatusMs = 5000;

private:
    QMainWindow& window;
    OperationsLog& operations;
    const ConnectionBar& connection;
};
