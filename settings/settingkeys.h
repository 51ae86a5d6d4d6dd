#pragma once

#include <QString>
#include <QVariant>

// One key of config.ini ("group/key", lower case) with the value it has when the file lacks it.
// Every key the assistant reads or writes is declared here and nowhere else.
struct SettingKey
{
    QString path;
    QVariant fallback;
};

namespace Settings {

inline const SettingKey SerialPort{QStringLiteral("serial/port"), QVariant()};
inline const SettingKey SerialBaudRate{QStringLiteral("serial/baudrate"), 9600};
inline const SettingKey SerialDataBits{QStringLiteral("serial/databits"), 8};
inline const SettingKey SerialParity{QStringLiteral("serial/parity"), 0};
inline const SettingKey SerialStopBits{QStringLiteral("serial/stopbits"), 1};
inline const SettingKey SerialSendRts{QStringLiteral("serial/send_rts"), false};
inline const SettingKey SerialSendDtr{QStringLiteral("serial/send_dtr"), false};
inline const SettingKey UseUdp{QStringLiteral("communicate/udp"), 0};
inline const SettingKey UdpAddress{QStringLiteral("udp/address"), QVariant()};
inline const SettingKey UdpPort{QStringLiteral("udp/port"), QVariant()};
inline const SettingKey DeviceAddress{QStringLiteral("device/address"), 255};
inline const SettingKey Language{QStringLiteral("language/language"), QVariant()};
inline const SettingKey AppNameEnglish{QStringLiteral("appname/us"), QStringLiteral("ZU Vuvoriraz")};
inline const SettingKey AppNameTraditional{QStringLiteral("appname/tw"), QStringLiteral("ZEve")};
inline const SettingKey AppNameSimplified{QStringLiteral("appname/ch"), QStringLiteral("ZEve")};
inline const SettingKey AppNameWithVersion{QStringLiteral("appname/ver"), true};
inline const SettingKey WindowWidth{QStringLiteral("window/width"), 0};
inline const SettingKey WindowHeight{QStringLiteral("window/height"), 0};
// The full http or https address of the maker's download page; empty: none set.
inline const SettingKey FirmwarePage{QStringLiteral("firmware/page"), QString()};
// How many of the newest lines the monitor keeps in its view (older ones stay only in its log file).
inline const SettingKey MonitorLines{QStringLiteral("monitor/lines"), 100000};
// How many records one history query may bring into the window; it stops there and says so.
inline const SettingKey HistoryMaxRecords{QStringLiteral("history/maxrecords"), 5000000};
// The date range of the last history query (yyyy-MM-dd), offered again; empty: today.
inline const SettingKey HistoryFrom{QStringLiteral("history/from"), QString()};
inline const SettingKey HistoryTo{QStringLiteral("history/to"), QString()};

} // namespace Settings
