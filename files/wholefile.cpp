#include "files/wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

WholeFile::WholeFile(const QString& path) : path(path)
{
    const QFileInfo info(path);
    inPlace = info.exists() && !info.isFile() && !info.isDir();
    if (inPlace) {
        file = std::make_unique<QFile>(path);
        return;
    }
    // A link is followed, so that the file it names is replaced and the link stays.
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    file = std::make_unique<QSaveFile>(target);
}

WholeFile::~WholeFile()
{
    cancel();
}

bool WholeFile::open(QIODevice::OpenMode extra)
{
    return file->open(QIODevice::WriteOnly | QIODevice::Truncate | extra);
}

QIODevice* WholeFile::device()
{
    return file.get();
}

bool WholeFile::commit()
{
    if (!file->isOpen())
        return false;
    if (inPlace) {
        const bool ok = file->flush() && file->error() == QFileDevice::NoError;
        file->close();
        return ok;
    }
    return static_cast<QSaveFile*>(file.get())->commit();
}

void WholeFile::cancel()
{
    if (!file->isOpen())
        return;
    if (inPlace) {
        file->close();
        return;
    }
    // A save file is never closed: a commit after the cancel removes the temporary file.
    auto* saveFile = static_cast<QSaveFile*>(file.get());
    saveFile->cancelWriting();
    saveFile->commit();
}

QFileDevice::FileError WholeFile::error() const
{
    return file->error();
}

QString WholeFile::errorString() const
{
    return file->errorString();
}
