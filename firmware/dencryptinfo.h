#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// The keys of a firmware package's field map: brace-enclosed GUID texts, compared exactly.
extern const QString KeyDevice;  // text: the device name
extern const QString KeyModel;   // text: the model the instrument must name when identified
extern const QString KeyVersion; // text: the firmware version
extern const QString KeyImage;   // bytes: the image written into the instrument

// A firmware package as read from its file: where it is and the fields it carries.
class DEncryptInfo
{
public:
    virtual ~DEncryptInfo() = default;

    QString device() const { return fields.value(KeyDevice).toString(); }
    QString model() const { return fields.value(KeyModel).toString(); }
    QString version() const { return fields.value(KeyVersion).toString(); }
    QByteArray image() const { return fields.value(KeyImage).toByteArray(); }

    QString filePath;
    QMap<QString, QVariant> fields;
};
