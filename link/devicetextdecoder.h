#pragma once

#include <QByteArray>
#include <QString>

class QTextCodec;

// Reads the instrument's text as decodeDeviceText does (GB2312 when the bytes read cleanly as
// GB2312, else Latin-1), with the converters looked up once. A stream of lines is read a block at a
// time: GB2312 is stateless at a line feed, so a block that reads cleanly as a whole reads exactly
// as its lines would one by one; only a block that does not is read line by line.
class DeviceTextDecoder
{
public:
    DeviceTextDecoder();

    QString decode(const QByteArray& bytes) const;
    // bytes: lines, each ended by a line feed except perhaps the last. The result is every line
    // decoded on its own, joined as they came.
    QString decodeLines(const QByteArray& bytes) const;

private:
    bool decodesCleanly(QTextCodec* codec, const QByteArray& bytes, QString* text) const;

    QTextCodec* gb2312;
    QTextCodec* latin1;
};
