#pragma once

#include <QDialog>

namespace Ui {
class NeutralAboutDialog;
}

// The about box: the application's name in the current language and its version, and an OK button.
class NeutralAboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit NeutralAboutDialog(QWidget* parent = nullptr);
    ~NeutralAboutDialog() override;

private:
    Ui::NeutralAboutDialog* form;
};
