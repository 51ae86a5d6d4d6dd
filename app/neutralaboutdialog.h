#pragma once

#include <QDialog>

namespace Ui {
class NeutralAboutDialog;
}

// The about box: the application's name in the current language and its version, the build and
// the licence, and the folders of the settings and the backups, each with a button that opens it.
class NeutralAboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit NeutralAboutDialog(QWidget* parent = nullptr);
    ~NeutralAboutDialog() override;

private:
    Ui::NeutralAboutDialog* form;
};
