#pragma once

#include "config/configcomparison.h"

#include <QDialog>
#include <QPair>
#include <QVector>

class ConfigModel;
class QDialogButtonBox;
class QLabel;
class QTreeWidget;

// A configuration file beside the connected instrument, row by row, before anything of it becomes a
// change: the rows it may change carry a check box, the rows it may not are listed with the reason.
// A file of another model or another instrument is named as such above the rows, and then Cancel is
// the default.
class ComparisonDialog : public QDialog
{
    Q_OBJECT
public:
    ComparisonDialog(const QString& title, const ConfigComparison& comparison, QWidget* parent = nullptr);

    // Compares a file's rows with the instrument's last read held by model and, once the operator has
    // chosen, gives the chosen rows the file's values (changes, not yet written). Without a read
    // there is nothing to compare with: the operator is asked to read first. False when nothing
    // changed.
    static bool offer(QWidget* parent, const QString& title, const QVector<ImportedRow>& file, ConfigModel* model);

    // The checked rows: item index and the file's value.
    QVector<QPair<int, QString>> chosenValues() const;

    // For tests and the operator alike: the rows, one per file row, column 0 checkable where offered.
    QTreeWidget* rowList() const { return rows; }
    QLabel* warningLabel() const { return warning; }
    QDialogButtonBox* buttons() const { return buttonBox; }

private:
    ConfigComparison comparison;
    QLabel* warning;
    QTreeWidget* rows;
    QDialogButtonBox* buttonBox;
};
