#pragma once

#include "config/configrow.h"

#include <QString>
#include <QVector>

class ConfigModel;

// What the window learns of the instrument from its identity rows.
struct InstrumentIdentity
{
    QString name; // "设备名称"
    QString model; // "设备型号", or a row named "model" in any case
    QString serial; // "序列号", "设备序列号", "SN", or a row named "serial number" in any case
};

bool isModelRow(const QString& name);
// The identity a complete read reported, hidden rows included; the first row of each kind counts.
InstrumentIdentity identityOf(const QVector<ReadItem>& items);
// The window title: the application's, followed by the instrument's model and serial number
// where a read told them ("ZEve V5.3 - ZQ-200 ZQ2026120700042").
QString instrumentTitle(const QString& application, const QString& model, const QString& serial);
// Shows the device-time row (when there is one) at the time the instrument's clock was set to, as
// the instrument's own value.
void setDeviceTime(ConfigModel& rows, const QString& time);
