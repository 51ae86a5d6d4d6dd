#pragma once

#include <QString>
#include <QVector>

class ConfigModel;

// The rows a write would write, and how the question before it shows them: "name: old → new"
// lines, the first ShownLines in the box, all of them in its details when there are more.
struct ChangeList
{
    static constexpr int ShownLines = 12;
    QVector<int> rows;
    QString text;
    QString details; // empty when the box shows every line
};
// What Write changes writes: the rows changed since the instrument last told their values.
ChangeList changeList(const ConfigModel& model);
// What Write all writes: every valued row but those that name the instrument.
ChangeList writeAllList(const ConfigModel& model);
