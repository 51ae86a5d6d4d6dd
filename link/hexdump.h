#pragma once

#include <QByteArray>

// "01 03 4B " — two upper-case hex digits and a blank per byte.
QByteArray hexDump(const QByteArray& bytes);
