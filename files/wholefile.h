#pragma once

#include <QFileDevice>
#include <QString>

#include <memory>

// A file that is written whole or not at all. The bytes go to a temporary file beside it, which
// takes the file's name only when commit() succeeds, so a crash, a kill or a full disk half-way
// leaves the earlier file as it was. A path that names a device or a pipe is written in place:
// such a thing cannot be replaced by a rename (and must not be, were the folder writable).
class WholeFile
{
public:
    explicit WholeFile(const QString& path);
    // Without a commit the temporary file goes and the earlier file stays.
    ~WholeFile();

    // WriteOnly is implied; Text may be added.
    bool open(QIODevice::OpenMode extra = QIODevice::NotOpen);
    QIODevice* device();
    // Moves what was written into place; false (with errorString()) keeps the earlier file.
    bool commit();
    void cancel();

    QFileDevice::FileError error() const;
    QString errorString() const;
    QString fileName() const { return path; }

private:
    QString path;
    std::unique_ptr<QFileDevice> file;
    bool inPlace = false;
};
