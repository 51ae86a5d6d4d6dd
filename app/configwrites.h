#pragma once

#include "config/configjobs.h"
#include "config/configoutcome.h"
#include "config/writemode.h"
#include "settings/linksettings.h"

#include <QObject>
#include <QVector>

#include <functional>

class BusyIndicator;
class ConfigModel;
class ConfigTree;
class JobRunner;
class QTimer;

// The window's writes on its runner: one row after its edit, or a list of rows (Write all, Write
// changes) whose answers show in the rows batch by batch, with the row reached in the busy
// indicator. Answers go only to the rows the write began on: a read or an import meanwhile has
// replaced them. Must not go while its runner works: the write reports its progress here.
class ConfigWrites : public QObject
{
    Q_OBJECT
public:
    // The write's outcome, once the rows show what the instrument answered.
    using Ended = std::function<void(const ConfigOutcome&)>;

    ConfigWrites(ConfigModel& rows, ConfigTree& tree, JobRunner& runner, BusyIndicator& busy,
                 QObject* parent = nullptr);

    // Saves the backup, then writes value to the item of row.
    void writeOne(const LinkSettings& link, int row, const QString& value, WriteMode mode, const WriteBackup& backup,
                  const Ended& ended);
    // Saves the backup, then writes the rows given (rows of the model) in order.
    void writeRows(const LinkSettings& link, const QVector<int>& chosen, const WriteBackup& backup, const Ended& ended);

signals:
    // Rows took the instrument's answers: the count of changes not yet written may have moved.
    void signalRowsAnswered();

private:
    // The row a write of rows has reached, looked at as often as the indicator could show it.
    void showProgress();
    // A batch of answered rows: one repaint for all of them.
    void rowsWritten(const WrittenRows& written);
    void rowsEnded(const ConfigOutcome& outcome, const Ended& ended);
    void oneEnded(const ItemWriteOutcome& outcome, const Ended& ended);
    bool sameRows() const;

    ConfigModel& rows;
    ConfigTree& tree;
    JobRunner& runner;
    BusyIndicator& busy;
    WriteProgress progress;
    QTimer* progressPoll;
    // The rows' generation when the write began.
    int generation = 0;
    // A single write's row.
    int writtenRow = -1;
    // The row of a write of rows going out now.
    int currentRow = -1;
    // Which model row each row handed to a write of rows is.
    QVector<int> chosenRows;
};
