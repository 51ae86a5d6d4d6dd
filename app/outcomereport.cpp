#include "app/outcomereport.h"

#include "app/failurehint.h"
#include "app/operationslog.h"
#include "config/ui/connectionbar.h"
#include "prompt/messageboxes.h"
#include "settings/linksettings.h"

#include <QMainWindow>
#include <QStatusBar>

#include <utility>

OutcomeReport::OutcomeReport(QMainWindow& window, OperationsLog& log, const ConnectionBar& connection)
    : window(window), operations(log), connection(connection)
{ }

void OutcomeReport::showError(const QString& title, const QString& text, const QIcon& icon, const QString& hint) const
{
    window.statusBar()->showMessage(text, StatusMs);
    showMessage(&window, QMessageBox::Critical, title, hint.isEmpty() ? text : text + QLatin1Char('\n') + hint, icon);
}

void OutcomeReport::show(const ConfigOutcome& outcome, const QString& operation) const
{
    show(configMessages(outcome), outcome, operation);
}

void OutcomeReport::show(const ConfigMessages& messages, const ConfigOutcome& outcome, const QString& operation) const
{
    const bool silent = outcome.contact == LinkContact::NoAnswer;
    const QString hint = failureHint(outcome.failureCode, outcome.linkError, silent, LinkSettings::load().useUdp);
    bool hintShown = !silent;
    for (const ConfigMessages::Box& shown : messages.boxes)
        log(operation, shown.error, shown.text, shown.error ? hint : QString());
    if (messages.boxes.isEmpty() && !messages.status.isEmpty())
        log(operation, false, messages.status);
    for (const ConfigMessages::Box& shown : messages.boxes) {
        if (shown.error)
            showError(shown.title, shown.text, window.windowIcon(), std::exchange(hintShown, true) ? QString() : hint);
        else
            showMessage(&window, QMessageBox::Information, shown.title, shown.text);
    }
    if (!messages.status.isEmpty())
        window.statusBar()->showMessage(messages.status, StatusMs);
}

void OutcomeReport::log(const QString& operation, bool failed, const QString& text, const QString& hint) const
{
    operations.add(operation, connection.target(), failed, text, hint);
}
