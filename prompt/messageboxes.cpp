#include "prompt/messageboxes.h"

#include "prompt/prompter.h"

#include <QAbstractButton>

namespace {

constexpr Qt::WindowFlags FixedSizeDialog = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;

void showBox(QMessageBox::Icon icon, const QString& fallbackTitle, const QString& text, QWidget* parent)
{
    const QString title = parent ? parent->windowTitle() : fallbackTitle;
    showMessage(parent, icon, title, QObject::tr(text.toUtf8().constData()));
}

} // namespace

void showError(const QString& text, QWidget* parent)
{
    showBox(QMessageBox::Critical, QObject::tr("错误"), text, parent);
}

void showInfo(const QString& text, QWidget* parent)
{
    showBox(QMessageBox::Information, QObject::tr("信息"), text, parent);
}

void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                 const QIcon& windowIcon)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent, FixedSizeDialog);
    box.button(QMessageBox::Ok)->setText(QObject::tr("确定"));
    if (!windowIcon.isNull())
        box.setWindowIcon(windowIcon);
    Prompter::current().exec(box);
}

bool askYesNo(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
              QMessageBox::StandardButton defaultButton, const QString& details)
{
    QMessageBox box(icon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.setDefaultButton(defaultButton);
    return Prompter::current().exec(box) == QMessageBox::Yes;
}

bool askToProceed(QWidget* parent, const QString& title, const QString& text, const QIcon& windowIcon)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent, FixedSizeDialog);
    box.button(QMessageBox::Ok)->setText(QObject::tr("确定"));
    box.button(QMessageBox::Cancel)->setText(QObject::tr("取消"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.setWindowIcon(windowIcon);
    return Prompter::current().exec(box) == QMessageBox::Ok;
}
