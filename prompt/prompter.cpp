#include "prompt/prompter.h"

#include "prompt/titlewidth.h"

#include <QDialog>
#include <QFileDialog>

namespace {
Prompter defaultPrompter;
Prompter* installed = nullptr;
}

int Prompter::exec(QDialog& dialog)
{
    keepTitleWhole(dialog);
    return run(dialog);
}

int Prompter::run(QDialog& dialog)
{
    return dialog.exec();
}

QString Prompter::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                  const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString Prompter::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                  const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString Prompter::getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

Prompter& Prompter::current()
{
    return installed ? *installed : defaultPrompter;
}

void Prompter::install(Prompter* prompter)
{
    installed = prompter;
}
