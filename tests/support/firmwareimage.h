#pragma once

#include <QByteArray>

// A firmware image for transfer tests: bytes that differ from page to page and from the 0xFF filler,
// so a page sent twice, out of order or left blank shows in what the instrument holds.
QByteArray firmwareImage(int size);
