#pragma once

#include <QIcon>
#include <QMessageBox>
#include <QString>

class QWidget;

// Modal boxes with one "确定" button, titled with the parent's window title (without a parent:
// "错误" / "信息"). Pass the Simplified Chinese source text marked with QT_TRANSLATE_NOOP("QObject", ...):
// it is translated here. Both run through the Prompter.
void showError(const QString& text, QWidget* parent);
void showInfo(const QString& text, QWidget* parent);

// The boxes a window builds from texts it has already translated; all run through the Prompter.

// A box with one "确定" button and the flags of a fixed-size dialog; windowIcon, when given, is
// the box's own.
void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                 const QIcon& windowIcon = QIcon());
// A question with Yes and No; true when the operator chose Yes. A long list goes to details.
bool askYesNo(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
              QMessageBox::StandardButton defaultButton, const QString& details = QString());
// "确定" and "取消" for a step the instrument carries out at once: Cancel is the default and the
// escape, so that Enter is not the way to confirm it.
bool askToProceed(QWidget* parent, const QString& title, const QString& text, const QIcon& windowIcon);
