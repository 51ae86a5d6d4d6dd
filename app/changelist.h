#pragma once

#include <QString>
#include <QVector>

class ConfigModel;

// The rows Write changes would write, and how the question before it shows them: "name: old → new"
// lines, the first ShownLines in the box, all of them in its details when there are more.
struct ChangeList
{
    static constexpr int ShownLines = 12;
    QVector<int> rows;
    QString text;
    QString details; // empty when the box shows every line
};
ChangeList changeList(const ConfigModel& model);
