#pragma once

#include "tools/zq-cli/exitcode.h"

#include <QJsonObject>
#include <QStringList>

// What one instrument's part of a run produced: the lines for a reader, the fields of its JSON
// object, and the errors (assistant texts) that go to standard error.
struct InstrumentResult
{
    ExitCode code = ExitOk;
    QStringList lines;
    QJsonObject json;
    QStringList errors;

    void fail(ExitCode failure, const QString& text)
    {
        if (failure > code)
            code = failure;
        errors.append(text);
    }
};
