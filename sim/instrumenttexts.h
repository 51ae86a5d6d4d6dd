#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// The free texts the simulated instrument sends: its history records and its debug lines.

// A header line naming the columns, then recordsPerDay records for every day from start to end,
// each "yyyy-MM-dd hh:mm:ss" and three readings, ended by CR LF. At most MaxHistoryRecords records;
// an empty or invalid range gives the header alone.
constexpr int MaxHistoryRecords = 20000;
QString historyRecords(const QDate& start, const QDate& end, int recordsPerDay);

// One debug line, ended by CR LF: "[DBG 00001] yyyy-MM-dd hh:mm:ss.zzz " and, by turns, a sample
// of the readings, the link's state, a stored record or the alarm check, in Chinese.
QString debugLine(const QDateTime& at, int sequence);
