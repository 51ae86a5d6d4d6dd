#pragma once

#include "settings/linksettings.h"

#include <QDialog>
#include <QStringList>

namespace Ui {
class SetupDialog;
}

// How the assistant reaches the instrument: a serial port and its line settings, or a UDP peer,
// plus the device address byte. Loads the settings when built and saves them on OK.
class SetupDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SetupDialog(QWidget* parent = nullptr);
    ~SetupDialog() override;

    // Shortest first, equal lengths by text (COM2 before COM10); no duplicates, no empty names.
    static QStringList sortPortNames(const QStringList& names);

    Ui::SetupDialog* ui() const { return form; }

public slots:
    void loadConfig();
    void saveConfig();
    void searchDialog();

signals:
    // A device search run from this dialog has ended with this many instruments found.
    void signalSearchEnded(int found);

private:
    void showMessage(const char* text);
    // The dialog's own words for a refused UDP address or port.
    static const char* udpRefusal(const LinkSettings::Problem& problem);

    Ui::SetupDialog* form;
};
