#include "config/ui/modifydialog.h"

#include "config/itemtext.h"
#include "ui_modifydialog.h"

#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>

ModifyDialog::ModifyDialog(const QString& name, const QString& value, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), form(new Ui::ModifyDialog)
{
    form->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(232, 119);
    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/image/configure.png"))));
    setupEditor(name, value);
}

ModifyDialog::~ModifyDialog()
{
    delete form;
}

QString ModifyDialog::value() const
{
    return valueEdit ? valueEdit->text() : valueCombo->currentText();
}

void ModifyDialog::setupEditor(const QString& name, const QString& value)
{
    const ItemEnumeration enumeration = parseEnumeration(name);
    QWidget* editor;
    if (!enumeration.isEnumeration) {
        setWindowTitle(name);
        valueEdit = new QLineEdit(this);
        valueEdit->setText(value);
        editor = valueEdit;
    } else {
        setWindowTitle(enumeration.label);
        valueCombo = new QComboBox(this);
        valueCombo->addItems(enumeration.options);
        const QString choice = chooseOption(enumeration.options, value);
        // Without a choice the first option stays selected.
        const int selected = valueCombo->findText(choice, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!choice.isEmpty() && selected >= 0)
            valueCombo->setCurrentIndex(selected);
        editor = valueCombo;
    }
    QFont font = editor->font();
    font.setPointSize(14);
    editor->setFont(font);
    editor->setGeometry(10, 20, 211, 31);
    editor->setFocus(Qt::OtherFocusReason);
}
