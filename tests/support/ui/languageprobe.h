#pragma once
// Looking at windows for texts left in another language: after a switch to English no text may
// hold Chinese, after a switch to Traditional Chinese none may hold Simplified characters or
// Mainland terms. Texts an instrument supplies (item names and values) stay as they come.

#include "app/mainwindow.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QScopedPointer>
#include <QStringList>
#include <functional>

class QWidget;

// Every wrong text a window shows: its own, its visible widgets' (combo box items and the status
// bar's message included), its menus' and its actions'. Item views are skipped: the configuration
// tree and the list of found instruments hold what instruments sent.
QStringList wrongTexts(QWidget* top, const QString& code);

// Saves the widget as it looks into $ZQ_SCREENSHOT_DIR/NAME.png, when that variable is set.
void saveScreenshot(QWidget* widget, const QString& name);

// Answers whatever dialog or box the assistant runs: shows it, notes its class, its wrong texts and
// a title it cuts, and answers it as an unscripted prompter would.
struct Inspector
{
    QString code;
    QString name;
    QStringList classes;
    QStringList faults;

    ScriptedPrompter::DialogAnswer answer();
};

// An answer that clicks one of the dialog's buttons (after `before` has prepared the dialog), as
// the operator's way into the next dialog or box, then rejects the dialog.
ScriptedPrompter::DialogAnswer clickIn(const char* button, std::function<void(QDialog&)> before = {});
// The settings dialog's UDP group, which leads to the search, is disabled in serial mode.
void chooseUdp(QDialog& dialog);

// How the operator gets somewhere: `thenAnswer` queues the answers for what opens at the end,
// after the answers that lead the way through the dialogs before it.
using Opener = std::function<void(MainWindow&, ScriptedPrompter&, WorkDir&, const std::function<void()>& thenAnswer)>;
Opener byAction(const char* name, QList<ScriptedPrompter::DialogAnswer> through = {});
Opener byDoubleClick(int row);

// A shown main window switched from the Simplified Chinese start to `code`, holding one valued and
// one confirm-only item, with serial settings on a port that does not exist.
struct LanguageSetup
{
    explicit LanguageSetup(const QString& code);
    WorkDir dir;
    QScopedPointer<MainWindow> window;
};
