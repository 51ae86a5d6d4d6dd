#pragma once

#include "firmware/dencryptinfo.h"
#include "firmware/firmwareversion.h"

#include <QMessageBox>

// The question before a package is written: the instrument (the model it named, the version of
// the configuration last read) and the package (device, model, version, image size, file date),
// with how the two versions stand. A downgrade warns and has Cancel as its default.
class UpdateConfirmation : public QMessageBox
{
    Q_OBJECT
public:
    UpdateConfirmation(const DEncryptInfo& package, const QString& deviceModel, const QString& deviceVersion,
                       QWidget* parent);

    FirmwareVersion::Order order() const { return versionOrder; }

private:
    FirmwareVersion::Order versionOrder;
};
