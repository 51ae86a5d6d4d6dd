#pragma once

#include <QString>

class QWidget;

// Modal boxes with one "确定" button, titled with the parent's window title (without a parent:
// "错误" / "信息"). Pass the Simplified Chinese source text marked with QT_TRANSLATE_NOOP("QObject", ...):
// it is translated here. Both run through the Prompter.
void showError(const QString& text, QWidget* parent);
void showInfo(const QString& text, QWidget* parent);
