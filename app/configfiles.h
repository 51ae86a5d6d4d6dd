#pragma once

#include <QObject>
#include <QString>

class ConfigModel;
class OutcomeReport;
class QMainWindow;

// The configuration's CSV files: the rows exported to one, or one compared with the instrument's
// last read, the rows the operator takes from it made changes to write (a backup the writes made
// brings the instrument back that way). Each asks for the file through the prompter and has
// handled it when it returns; the operator's cancel does nothing. A file that does not read leaves the rows as they
// were.
class ConfigFiles : public QObject
{
    Q_OBJECT
public:
    ConfigFiles(QMainWindow& window, ConfigModel& rows, const OutcomeReport& report);

    // title names the operation in the file dialog and the operations log.
    void exportRows(const QString& title);
    // A failure is logged under failureTitle, the title of every import.
    void importRows(const QString& title, const QString& folder, const QString& failureTitle);
    // The backups' folder, where Restore backup looks first.
    static QString backupFolder();

signals:
    // An import gave rows the file's values.
    void signalRowsImported();

private:
    QString askFileName(const QString& title, bool save, const QString& folder);

    QMainWindow& window;
    ConfigModel& rows;
    const OutcomeReport& report;
};
