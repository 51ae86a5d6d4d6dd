#pragma once

#include <QByteArray>
#include <QString>

class QTextCodec;

// The instrument's texts travel as GB2312, falling back to Latin-1.

// Which conversion read an instrument's text. Twenty Latin-1 letters (í is byte ED) are GB2312
// characters as well, so a Latin-1 text would go back as other bytes; an unchanged value is
// therefore written with the conversion that read it.
enum class DeviceCodec { Gb2312, Latin1, Ascii };

QByteArray encodeDeviceText(const QString& text);
QString decodeDeviceText(const char* data, int length);
QString decodeDeviceText(const QByteArray& bytes);

QString decodeDeviceText(const QByteArray& bytes, DeviceCodec* codec);
// With codec when it carries the whole text, else in the usual order (encodeDeviceText).
QByteArray encodeDeviceText(const QString& text, DeviceCodec codec);
// The two encodings, looked up once: a look-up compares the name with every codec's names and
// aliases, and cost a write-all of 256 items more than its own conversions. Null when missing.
QTextCodec* gb2312Codec();
QTextCodec* latin1Codec();
