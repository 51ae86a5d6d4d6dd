#include "tests/support/ui/scriptedprompter.h"

#include <QMessageBox>
#include <QPushButton>

ScriptedPrompter::ScriptedPrompter()
{
    Prompter::install(this);
}

ScriptedPrompter::~ScriptedPrompter()
{
    Prompter::install(nullptr);
}

void ScriptedPrompter::answerNext(DialogAnswer answer)
{
    answers.append(std::move(answer));
}

void ScriptedPrompter::pressNext(int standardButton)
{
    answers.append([standardButton](QDialog&) { return standardButton; });
}

void ScriptedPrompter::nextFileName(const QString& path)
{
    nextFileName(path, QString());
}

void ScriptedPrompter::nextFileName(const QString& path, const QString& filter)
{
    fileNames.append(path);
    fileTypes.append(filter);
}

int ScriptedPrompter::run(QDialog& dialog)
{
    Shown seen;
    seen.className = QString::fromLatin1(dialog.metaObject()->className());
    seen.title = dialog.windowTitle();
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    if (box) {
        seen.text = box->text();
        seen.informative = box->informativeText();
    }
    shown.append(seen);
    if (!answers.isEmpty())
        return answers.takeFirst()(dialog);
    if (box)
        return box->defaultButton() ? box->standardButton(box->defaultButton()) : int(QMessageBox::Ok);
    return QDialog::Rejected;
}

QString ScriptedPrompter::takeFileName(const QString& caption)
{
    fileDialogCaptions.append(caption);
    if (fileNames.isEmpty())
        return QString();
    fileTypes.removeFirst();
    return fileNames.takeFirst();
}

QString ScriptedPrompter::getSaveFileName(QWidget*, const QString& caption, const QString&, const QString& filter)
{
    fileDialogFilters.append(filter);
    return takeFileName(caption);
}

QString ScriptedPrompter::getSaveFileNameOfType(QWidget*, const QString& caption, const QString&,
                                                const QString& filters, QString* selectedFilter)
{
    fileDialogFilters.append(filters);
    if (!fileTypes.isEmpty() && !fileTypes.first().isEmpty() && selectedFilter)
        *selectedFilter = fileTypes.first();
    return takeFileName(caption);
}

QString ScriptedPrompter::getOpenFileName(QWidget*, const QString& caption, const QString&, const QString&)
{
    return takeFileName(caption);
}

QString ScriptedPrompter::getExistingDirectory(QWidget*, const QString& caption, const QString&)
{
    return takeFileName(caption);
}

QStringList ScriptedPrompter::texts() const
{
    QStringList result;
    for (const Shown& seen : shown)
        if (seen.className == QLatin1String("QMessageBox"))
            result.append(seen.text);
    return result;
}
