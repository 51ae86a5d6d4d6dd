#include "config/ui/comparisondialog.h"

#include "config/configmodel.h"
#include "config/texts/comparisontexts.h"
#include "prompt/messageboxes.h"
#include "prompt/prompter.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column { IndexColumn, FileColumn, InstrumentColumn, ReasonColumn, Columns };

QString itemText(const QString& name, const QString& value)
{
    return value.isEmpty() ? name : QStringLiteral("%1: %2").arg(name, value);
}
} // namespace

ComparisonDialog::ComparisonDialog(const QString& title, const ConfigComparison& compared, QWidget* parent)
    : QDialog(parent), comparison(compared)
{
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/image/import.png"))));
    auto* layout = new QVBoxLayout(this);

    warning = new QLabel(ComparisonTexts::warning(comparison), this);
    warning->setObjectName(QStringLiteral("labWarning"));
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    warning->setVisible(comparison.isForeign());
    layout->addWidget(warning);

    auto* summary = new QLabel(tr("文件中有 %1 项与设备不同, 勾选的项将作为修改显示, 写入前仍会确认。%2 项不能导入。")
                                   .arg(comparison.offeredCount())
                                   .arg(comparison.refused().size()),
                               this);
    summary->setObjectName(QStringLiteral("labSummary"));
    summary->setWordWrap(true);
    layout->addWidget(summary);

    rows = new QTreeWidget(this);
    rows->setObjectName(QStringLiteral("treeRows"));
    rows->setRootIsDecorated(false);
    rows->setAlternatingRowColors(true);
    rows->setColumnCount(Columns);
    rows->setHeaderLabels({tr("编号"), tr("文件"), tr("设备"), tr("说明")});
    for (const ComparedRow& row : comparison.rows) {
        auto* item = new QTreeWidgetItem(rows);
        item->setText(IndexColumn, QStringLiteral("%1").arg(row.index, 2, 10, QLatin1Char('0')));
        item->setText(FileColumn, itemText(row.fileName, row.fileValue));
        item->setText(InstrumentColumn,
                      row.onInstrument ? itemText(row.instrumentName, row.instrumentValue) : QString());
        item->setText(ReasonColumn, ComparisonTexts::reason(row));
        if (row.verdict == RowVerdict::Offered) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(IndexColumn, row.checked ? Qt::Checked : Qt::Unchecked);
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        }
    }
    rows->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    rows->header()->setStretchLastSection(true);
    layout->addWidget(rows);

    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->button(QDialogButtonBox::Ok)->setText(tr("采用勾选项"));
    buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    // A foreign file is a mistake far more often than an intent: Enter must not take it.
    QPushButton* preferred =
        buttonBox->button(comparison.isForeign() ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok);
    buttonBox->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    buttonBox->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
    preferred->setDefault(true);
    preferred->setFocus(Qt::OtherFocusReason);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttonBox);
    resize(720, 480);
}

QVector<QPair<int, QString>> ComparisonDialog::chosenValues() const
{
    QVector<QPair<int, QString>> chosen;
    for (int i = 0; i < comparison.rows.size() && i < rows->topLevelItemCount(); ++i) {
        const ComparedRow& row = comparison.rows.at(i);
        if (row.verdict == RowVerdict::Offered && rows->topLevelItem(i)->checkState(IndexColumn) == Qt::Checked)
            chosen.append({row.index, row.fileValue});
    }
    return chosen;
}

bool ComparisonDialog::offer(QWidget* parent, const QString& title, const QVector<ImportedRow>& file,
                             ConfigModel* model)
{
    if (!model->hasRead()) {
        showMessage(parent, QMessageBox::Information, title,
                    tr("导入前须先读取设备的配置, 以便与文件比较。\n请先刷新, 再导入。"));
        return false;
    }
    const ConfigComparison comparison =
        ConfigComparison::compare(fileRows(file), model->instrumentRows(), model->refusedIndices());
    ComparisonDialog dialog(title, comparison, parent);
    if (Prompter::current().exec(dialog) != QDialog::Accepted)
        return false;
    const QVector<QPair<int, QString>> chosen = dialog.chosenValues();
    model->setValues(chosen);
    return !chosen.isEmpty();
}
