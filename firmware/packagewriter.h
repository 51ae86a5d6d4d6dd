#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

// Writes firmware package files (.zqbin) layer by layer, the way the reader takes them apart:
// field map -> payload (Qt data stream) -> envelope (payload and its MD5) -> Base64 text -> the
// one cell of a one-row INFO table in a fresh SQLite file. The assistant never writes packages;
// the zq-package tool, the simulator's download page and the tests do.
namespace PackageWriter {

QMap<QString, QVariant> fields(const QString& device, const QString& model, const QString& version,
                               const QByteArray& image);
// The map in Qt's data-stream form.
QByteArray payload(const QMap<QString, QVariant>& fields);
// Two byte arrays in a data stream: the payload, then its digest.
QByteArray envelope(const QByteArray& payload, const QByteArray& digest);
QByteArray envelope(const QByteArray& payload);
// The Base64 text that goes into the INFO cell.
QByteArray cellText(const QMap<QString, QVariant>& fields);

// Writes cell as the first column of the only row of INFO into a new SQLite file at path (an
// existing file there is replaced). asBlob stores the cell as a blob instead of text.
// Returns an empty text or why the file could not be written.
QString writeCell(const QString& path, const QByteArray& cell, bool asBlob = false);
QString write(const QString& path, const QMap<QString, QVariant>& fields);

} // namespace PackageWriter
