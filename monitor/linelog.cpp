#include "monitor/linelog.h"

namespace {

// Written out before this much waits, whatever the timer says.
constexpr int BufferBytes = 256 * 1024;

} // namespace

LineLog::LineLog()
{
    flushTimer.setInterval(FlushMs);
    connect(&flushTimer, &QTimer::timeout, this, &LineLog::flush);
}

LineLog::~LineLog()
{
    close();
}

bool LineLog::open(const QString& path)
{
    close();
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        error = file.errorString();
        return false;
    }
    error.clear();
    written = 0;
    flushTimer.start();
    return true;
}

void LineLog::close()
{
    if (!file.isOpen())
        return;
    flush();
    flushTimer.stop();
    file.close();
}

void LineLog::write(const QString& line)
{
    if (!file.isOpen())
        return;
    buffer += line.toUtf8();
    buffer += '\n';
    ++written;
    if (buffer.size() >= BufferBytes)
        flush();
}

void LineLog::flush()
{
    if (!file.isOpen() || buffer.isEmpty())
        return;
    const bool ok = file.write(buffer) == buffer.size() && file.flush();
    buffer.clear();
    if (!ok) {
        error = file.errorString();
        flushTimer.stop();
        file.close();
        emit failed(error);
    }
}
