#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

// The records of the simulated instrument's log, made as they are sent so that even several
// hundred thousand of them cost little memory. The header names the columns, its first word
// the date and time together; each record is "yyyy-MM-dd hh:mm:ss" and then its readings and a
// status text separated by commas, ended by CR LF, everything GB2312-encoded:
//     记录时间 温度(℃) 湿度(%RH) 电压(V) 状态
//     2026-03-01 00:00:00 20.5,62.3,3.60,正常
// The records are spread evenly over the days from start to end (at least a second apart); an
// inverted or invalid range gives the header alone.
class HistoryGenerator
{
public:
    // tail: bytes sent after the last record, as they are.
    HistoryGenerator(const QDate& start, const QDate& end, int count, const QByteArray& tail = QByteArray());

    static QString header();
    QString record(int index) const;
    int count() const { return total; }

    // The next bytes of the stream, at most maxBytes; a chunk may end inside a line or even
    // inside a character. Empty once everything is out.
    QByteArray next(int maxBytes);
    bool atEnd() const { return produced == total && pending.isEmpty() && headerSent && tail.isEmpty(); }

private:
    QDateTime first;
    qint64 stepSeconds = 1;
    int total = 0;
    int produced = 0;
    bool headerSent = false;
    QByteArray pending;
    QByteArray tail;
};
