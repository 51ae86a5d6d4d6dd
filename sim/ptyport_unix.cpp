#include "sim/ptyport_unix.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

void makeRaw(int fd)
{
    termios settings;
    if (tcgetattr(fd, &settings) != 0)
        return;
    cfmakeraw(&settings);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &settings);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

PtyPort::PtyPort(QObject* parent) : QObject(parent) {}

PtyPort::~PtyPort()
{
    close();
}

bool PtyPort::open(const QString& linkPath)
{
    close();
    char name[256] = {};
    if (openpty(&masterFd, &slaveFd, name, nullptr, nullptr) != 0) {
        error = QStringLiteral("openpty: ") + systemError();
        masterFd = slaveFd = -1;
        return false;
    }
    // Both ends raw: no echo, no line editing, no CR/LF translation of the frames.
    makeRaw(masterFd);
    makeRaw(slaveFd);
    ::fcntl(masterFd, F_SETFL, ::fcntl(masterFd, F_GETFL) | O_NONBLOCK);
    ::fcntl(masterFd, F_SETFD, FD_CLOEXEC);
    ::fcntl(slaveFd, F_SETFD, FD_CLOEXEC);
    slave = QString::fromLocal8Bit(name);

    if (!linkPath.isEmpty()) {
        const QFileInfo existing(linkPath);
        if (existing.isSymLink())
            QFile::remove(linkPath);
        if (::symlink(name, QFile::encodeName(linkPath).constData()) != 0) {
            error = QStringLiteral("symlink %1: ").arg(linkPath) + systemError();
            close();
            return false;
        }
        link = linkPath;
    }

    notifier = new QSocketNotifier(masterFd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &PtyPort::readMaster);
    return true;
}

qint64 PtyPort::write(const QByteArray& bytes)
{
    if (masterFd < 0)
        return -1;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(masterFd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written > 0)
            done += written;
        else if (written < 0 && errno == EINTR)
            continue;
        else
            break; // full (EAGAIN) or gone: nobody reads the line
    }
    return done;
}

void PtyPort::readMaster()
{
    QByteArray bytes;
    char chunk[4096];
    for (;;) {
        const ssize_t count = ::read(masterFd, chunk, sizeof chunk);
        if (count > 0) {
            bytes.append(chunk, int(count));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        break;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
}

void PtyPort::close()
{
    delete notifier;
    notifier = nullptr;
    if (!link.isEmpty()) {
        if (QFileInfo(link).isSymLink())
            QFile::remove(link);
        link.clear();
    }
    if (slaveFd >= 0)
        ::close(slaveFd);
    if (masterFd >= 0)
        ::close(masterFd);
    masterFd = slaveFd = -1;
    slave.clear();
}
