#pragma once

#include "prompt/prompter.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Answers the assistant's boxes and dialogs in place of the operator, and remembers what it saw.
// Installed for its lifetime. Unscripted message boxes are answered with their default button
// (OK), unscripted dialogs are rejected, unscripted file dialogs are cancelled.
class ScriptedPrompter : public Prompter
{
public:
    struct Shown
    {
        QString className; // "QMessageBox", "ModifyDialog", ...
        QString title;
        QString text;      // a message box's text
        QString informative; // and its informative text
    };
    using DialogAnswer = std::function<int(QDialog&)>;

    ScriptedPrompter();
    ~ScriptedPrompter() override;

    // The next dialog or box is answered by this function (which may change the dialog first).
    void answerNext(DialogAnswer answer);
    // The next message box is answered with this standard button.
    void pressNext(int standardButton);
    void nextFileName(const QString& path);
    // The next file dialog with several types answers path, of the type whose text is filter.
    void nextFileName(const QString& path, const QString& filter);

    QString getSaveFileName(QWidget*, const QString&, const QString&, const QString&) override;
    QString getSaveFileNameOfType(QWidget*, const QString&, const QString&, const QString&, QString*) override;
    QString getOpenFileName(QWidget*, const QString&, const QString&, const QString&) override;
    QString getExistingDirectory(QWidget*, const QString&, const QString&) override;

    QList<Shown> shown;
    QStringList texts() const;    // the texts of every message box shown, in order
    QStringList fileDialogCaptions;
    QStringList fileDialogFilters; // the filters each file dialog offered

protected:
    int run(QDialog& dialog) override;

private:
    QList<DialogAnswer> answers;
    QStringList fileNames;
    QStringList fileTypes; // beside fileNames: the type chosen, empty for the one offered first
    QString takeFileName(const QString& caption);
};
