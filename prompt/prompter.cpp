#include "prompt/prompter.h"

#include "prompt/titlewidth.h"

#include <QDialog>
#include <QFileDialog>
#include <QRegularExpression>

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

namespace {

// The suffix of a filter's first pattern: "csv" for "表格 CSV (*.csv)".
QString suffixOf(const QString& filter)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.captured(1);
}

} // namespace

QString Prompter::getSaveFileNameOfType(QWidget* parent, const QString& caption, const QString& dir,
                                        const QString& filters, QString* selectedFilter)
{
    // The dialog itself adds the chosen type's suffix to a name typed without one, before it asks
    // whether to overwrite an existing file of that name.
    QFileDialog dialog(parent, caption, dir, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (selectedFilter && !selectedFilter->isEmpty())
        dialog.selectNameFilter(*selectedFilter);
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    if (selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
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
