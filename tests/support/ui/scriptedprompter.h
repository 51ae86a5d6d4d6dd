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
    };
    using DialogAnswer = std::function<int(QDialog&)>;

    ScriptedPrompter();
    ~ScriptedPrompter() override;

    // The next dialog or box is answered by this function (which may change the dialog first).
    void answerNext(DialogAnswer answer);
    // The next message box is answered with this standard button.
    void pressNext(int standardButton);
    void nextFileName(const QString& path);

    QString getSaveFileName(QWidget*, const QString&, const QString&, const QString&) override;
    QString getOpenFileName(QWidget*, const QString&, const QString&, const QString&) override;
    QString getExistingDirectory(QWidget*, const QString&, const QString&) override;

    QList<Shown> shown;
    QStringList texts() const;    // the texts of every message box shown, in order
    QStringList fileDialogCaptions;

protected:
    int run(QDialog& dialog) override;

private:
    QList<DialogAnswer> answers;
    QStringList fileNames;
    QString takeFileName(const QString& caption);
};
