#include "prompt/messageboxes.h"

#include "prompt/prompter.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {

void showBox(QMessageBox::Icon icon, const QString& fallbackTitle, const QString& text, QWidget* parent)
{
    const QString title = parent ? parent->windowTitle() : fallbackTitle;
    QMessageBox box(icon, title, QObject::tr(text.toUtf8().constData()), QMessageBox::Ok, parent,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.button(QMessageBox::Ok)->setText(QObject::tr("确定"));
    Prompter::current().exec(box);
}

}

void showError(const QString& text, QWidget* parent)
{
    showBox(QMessageBox::Critical, QObject::tr("错误"), text, parent);
}

void showInfo(const QString& text, QWidget* parent)
{
    showBox(QMessageBox::Information, QObject::tr("信息"), text, parent);
}
