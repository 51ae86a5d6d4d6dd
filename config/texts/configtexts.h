#pragma once

#include "config/configoutcome.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What the operator is told of a configuration outcome: boxes in order, then a status text (empty:
// leave the status bar alone).
struct ConfigMessages
{
    struct Box
    {
        bool error = true; // a critical box; otherwise an information box
        QString title;
        QString text;
    };
    QList<Box> boxes;
    QString status;
};

// The boxes and status of any configuration outcome, for the window and zq-cli alike.
ConfigMessages configMessages(const ConfigOutcome& outcome);

// Why a value cannot be written: "数值过长: 编码后 300 字节, 最多允许 254 字节".
QString valueRefusalText(const ValueRefusal& refusal);

// The refusal of a time the instrument's clock cannot hold, naming the time and the range.
QString clockOutOfRangeText(const QDateTime& time);
