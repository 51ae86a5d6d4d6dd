#include "app/itemvalueprompt.h"

#include "config/itemtext.h"
#include "config/ui/modifydialog.h"
#include "prompt/messageboxes.h"
#include "prompt/prompter.h"

#include <QCoreApplication>

// The texts keep the window's context, where they were made first.
int askItemValue(QWidget* parent, const ConfigRow& row, QString& value)
{
    value.clear();
    const QString& name = row.name;
    const QString& current = row.value;
    if (row.isConfirmOnly()) {
        // The instrument carries the action out at once, so Enter must not be the way to confirm it.
        return askToProceed(parent, name,
                            QCoreApplication::translate("MainWindow", "设备将执行“%1”。\n确定要继续吗?").arg(name),
                            parent->windowIcon())
            ? WriteConfirmOnly
            : WriteCancelled;
    }
    // A value that plainly does not fit is refused before anything is sent; the dialog comes back
    // with it, to be mended.
    QString proposed = current;
    for (;;) {
        ModifyDialog dialog(name, proposed, parent);
        if (Prompter::current().exec(dialog) != QDialog::Accepted)
            return WriteCancelled;
        proposed = dialog.value().trimmed();
        const ValueProblem problem = checkItemValue(name, current, proposed);
        if (problem == ValueProblem::None)
            break;
        const QString text = problem == ValueProblem::NotANumber
            ? QCoreApplication::translate("MainWindow", "“%1”不是数值。此项的值是一个数 (当前为 %2), 请输入数字。")
                  .arg(proposed, current)
            : QCoreApplication::translate("MainWindow", "“%1”不是此项的可选值。").arg(proposed);
        showMessage(parent, QMessageBox::Warning, dialog.windowTitle(), text);
    }
    value = proposed;
    return WriteValued;
}
