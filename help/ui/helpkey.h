#pragma once

#include <QObject>

// F1 anywhere in the assistant: opens the manual at the section about the window that has the
// focus. One filter on the application, so every dialog has it without code of its own.
class HelpKey : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
