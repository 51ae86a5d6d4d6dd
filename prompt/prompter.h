#pragma once

#include <QString>

class QDialog;
class QWidget;

// Every modal box, dialog and file dialog that the assistant puts before the operator runs through
// the current Prompter. The default one simply runs them; tests install one that answers instead.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // Runs a prepared modal dialog or message box and returns what its exec() would return
    // (for a QMessageBox with standard buttons: the button pressed). Every one is made wide enough
    // for its whole title first.
    int exec(QDialog& dialog);

    virtual QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter);
    // The same with several file types (filters joined by ";;"): selectedFilter holds the type
    // offered first and receives the one the operator chose.
    virtual QString getSaveFileNameOfType(QWidget* parent, const QString& caption, const QString& dir,
                                          const QString& filters, QString* selectedFilter);
    virtual QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter);
    virtual QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir);

    static Prompter& current();
    // Takes no ownership; nullptr puts the default back.
    static void install(Prompter* prompter);

protected:
    // Puts the prepared dialog before the operator (the default: its exec()).
    virtual int run(QDialog& dialog);
};
