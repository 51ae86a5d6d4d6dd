#include "app/neutralaboutdialog.h"

#include "settings/config.h"

#include "ui_neutralaboutdialog.h"

NeutralAboutDialog::NeutralAboutDialog(QWidget* parent) : QDialog(parent), form(new Ui::NeutralAboutDialog)
{
    form->setupUi(this);
    connect(form->bntOK, SIGNAL(clicked()), this, SLOT(accept()));

    setWindowIcon(QIcon(QStringLiteral(":/image/about.png")));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(size());

    form->labelVersion->setText(applicationTitle());
}

NeutralAboutDialog::~NeutralAboutDialog()
{
    delete form;
}
