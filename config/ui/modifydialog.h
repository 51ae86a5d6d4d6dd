#pragma once

#include <QDialog>

namespace Ui {
class ModifyDialog;
}
class QComboBox;
class QLineEdit;

// Asks for one item's new value: a drop-down list of the options an enumeration item names,
// a line edit for any other item.
class ModifyDialog : public QDialog
{
    Q_OBJECT
public:
    ModifyDialog(const QString& name, const QString& value, QWidget* parent = nullptr);
    ~ModifyDialog() override;

    QString value() const;

    // Exactly one of them exists; tests and the caller read the editor through value().
    QLineEdit* lineEditor() const { return valueEdit; }
    QComboBox* comboEditor() const { return valueCombo; }

private:
    void setupEditor(const QString& name, const QString& value);

    Ui::ModifyDialog* form;
    QLineEdit* valueEdit = nullptr;
    QComboBox* valueCombo = nullptr;
};
