#include "setup/setupdialog.h"

SetupDialog::SetupDialog(QWidget* parent) : QDialog(parent) {}
