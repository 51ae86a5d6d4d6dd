#pragma once

class QDialog;

// What the search thread knows of the dialog that owns it.
class SearchDeviceDialogInterf
{
public:
    virtual ~SearchDeviceDialogInterf() = default;
    virtual QDialog* dialog() = 0;
};
