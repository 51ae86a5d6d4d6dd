#pragma once

#include <QDialog>

// Placeholder; the communication-setup work replaces it.
class SetupDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SetupDialog(QWidget* parent = nullptr);
};
