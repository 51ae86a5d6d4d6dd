// Labels: net gui
// The history records as a table: columns named from the header line, sorting on the proxy, the
// status colour, the summary, the table CSV read back, and the date range's presets and memory.
#include "history/recordcolumns.h"
#include "history/recordstore.h"
#include "history/recordsummary.h"
#include "link/linktimings.h"
#include "tst_historyrig.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMap>
#include <QTabWidget>

#include <cmath>

class TestHistoryTable : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void columnsFromLines_data();
    void columnsFromLines();
    void queriedRecordsAsTable();
    void tableCsvReadsBack();
    void datePresetsAndMemory();
};

namespace {

const QDate Day(2026, 3, 1);
constexpr int Records = 300;

// Reads a CSV text as RFC 4180 has it: quoted cells, doubled quotes, CR LF.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row.append(cell);
            cell.clear();
        } else if (c == QLatin1Char('\n')) {
            row.append(cell);
            rows.append(row);
            row.clear();
            cell.clear();
        } else if (c != QLatin1Char('\r')) {
            cell += c;
        }
    }
    return rows;
}

// The generator's records as the test reads them itself: time and the three readings.
struct Reading
{
    QString time;
    double values[3];
    QString status;
};

QList<Reading> generatedReadings()
{
    const HistoryGenerator generator(Day, Day, Records);
    QList<Reading> readings;
    for (int i = 0; i < Records; ++i) {
        const QString line = generator.record(i).trimmed();
        const QStringList parts = line.section(QLatin1Char(' '), 2).split(QLatin1Char(','));
        readings.append({line.left(19), {parts[0].toDouble(), parts[1].toDouble(), parts[2].toDouble()}, parts[3]});
    }
    return readings;
}

} // namespace

void TestHistoryTable::initTestCase()
{
    static LinkTimings quick;
    quick.streamSilenceUdpMs = 300;
    LinkTimings::install(&quick);
}

void TestHistoryTable::cleanupTestCase()
{
    LinkTimings::install(nullptr);
}

void TestHistoryTable::columnsFromLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("lastRow");
    QTest::addColumn<QList<int>>("numeric");
    QTest::addColumn<QString>("firstTime");
    QTest::newRow("header names date and time together")
        << "时间 温度 状态\n2026-03-01 08:00:00 20.5 正常\n2026-03-01 09:00:00 21 高\n"
        << QStringList{"", "", "温度", "状态"} << QStringList{"2026-03-01", "09:00:00", "21", "高"} << QList<int>{2}
        << "2026-03-01T08:00:00";
    QTest::newRow("header names them apart")
        << "日期 时间 温度\n2026/3/1 8:00 1.25\n"
        << QStringList{"日期", "时间", "温度"} << QStringList{"2026/3/1", "8:00", "1.25"} << QList<int>{2}
        << "2026-03-01T08:00:00";
    QTest::newRow("no header, ISO time, surplus fields in the last column")
        << "2026-03-01T08:00:00.5 1 2 x\n2026-03-01T08:00:01 3 4 z w\n"
        << QStringList{"", "", "", "", ""} << QStringList{"2026-03-01", "08:00:01", "3", "4", "z w"} << QList<int>{2, 3}
        << "2026-03-01T08:00:00.500";
    QTest::newRow("a column turns out not to be numeric")
        << "t a b\n2026-03-01 00:00:00 1 2\n2026-03-01 00:00:01 n/a 3\n2026-03-01 00:00:02 4\n"
        << QStringList{"", "", "a", "b"} << QStringList{"2026-03-01", "00:00:02", "4", ""} << QList<int>{3}
        << "2026-03-01T00:00:00";
}

void TestHistoryTable::columnsFromLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QFETCH(QStringList, lastRow);
    QFETCH(QList<int>, numeric);
    QFETCH(QString, firstTime);
    const RecordStore store = RecordStore::fromText(text);
    RecordColumns columns;
    QVERIFY(columns.update(store));
    QVERIFY(!columns.update(store));
    QCOMPARE(columns.columnCount(), names.size());
    for (int column = 0; column < names.size(); ++column)
        QCOMPARE(columns.headerName(column), names.at(column));
    QCOMPARE(columns.cells(store, columns.recordCount() - 1), lastRow);
    QCOMPARE(columns.numericColumns(), numeric);
    QCOMPARE(QDateTime::fromMSecsSinceEpoch(qint64(columns.time(0)), Qt::UTC)
                 .toString(Qt::ISODateWithMs)
                 .left(firstTime.size()),
             firstTime);
}

// The operator's path: a query fills the table with the header's columns, a click on a column
// sorts it, odd statuses stand out and the summary agrees with one worked out here.
void TestHistoryTable::queriedRecordsAsTable()
{
    HistoryRig rig;
    QVERIFY(rig.instrument.isReady());
    rig.sim()->setHistoryRecordCount(Records);
    rig.sim()->setHistoryPace(24, 4096, 1);
    rig.query(Day, Day);
    QVERIFY(rig.waitForRun());
    auto* table = rig.dialog->findChild<QTableView*>(QStringLiteral("viewTable"));
    QTRY_COMPARE(table->model()->rowCount(), Records);
    QAbstractItemModel* model = table->model();
    const QStringList names{"日期", "时间", "温度(℃)", "湿度(%RH)", "电压(V)", "状态"};
    QCOMPARE(model->columnCount(), names.size());
    for (int column = 0; column < names.size(); ++column)
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), names.at(column));
    QCOMPARE(model->index(0, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
    QCOMPARE(model->index(0, 5).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, 0);

    const QList<Reading> readings = generatedReadings();
    QMap<QString, int> statuses;
    for (const Reading& reading : readings)
        ++statuses[reading.status];
    const QString common = std::max_element(statuses.cbegin(), statuses.cend()).key();
    QVERIFY2(statuses.size() >= 2, "the generated day should hold an odd status");
    for (int row = 0; row < Records; ++row) {
        const bool odd = model->index(row, 5).data().toString() != common;
        QCOMPARE(model->index(row, 0).data(Qt::ForegroundRole).isValid(), odd);
    }

    // Sorting by temperature, twice: ascending, then descending; the store keeps its order.
    QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(table->horizontalHeader()->sectionViewportPosition(2) + 5, 5));
    const Qt::SortOrder first = table->horizontalHeader()->sortIndicatorOrder();
    for (int row = 1; row < Records; ++row) {
        const double before = model->index(row - 1, 2).data().toDouble();
        const double after = model->index(row, 2).data().toDouble();
        QVERIFY(first == Qt::AscendingOrder ? before <= after : before >= after);
    }
    table->sortByColumn(2, first == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    QCOMPARE(model->index(0, 2).data().toDouble() == model->index(Records - 1, 2).data().toDouble(), false);
    QCOMPARE(rig.records().line(1), HistoryGenerator(Day, Day, Records).record(0).trimmed());

    // The summary, against one worked out from the generator's records.
    const QString summary = rig.dialog->summaryText();
    const QStringList lines = summary.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    const char* decimals[] = {"%.1f", "%.1f", "%.2f"};
    for (int k = 0; k < 3; ++k) {
        int least = 0;
        int most = 0;
        double sum = 0;
        for (int i = 0; i < Records; ++i) {
            least = readings[i].values[k] < readings[least].values[k] ? i : least;
            most = readings[i].values[k] > readings[most].values[k] ? i : most;
            sum += readings[i].values[k];
        }
        const QString expected =
            QStringLiteral("%1: %2 条, 最小 %3 (%4), 最大 %5 (%6), 平均 %7")
                .arg(names.at(2 + k), QString::number(Records),
                     QString::asprintf(decimals[k], readings[least].values[k]), readings[least].time,
                     QString::asprintf(decimals[k], readings[most].values[k]), readings[most].time,
                     QString::number(sum / Records, 'f', k == 2 ? 3 : 2));
        QCOMPARE(lines.at(k), expected);
    }
    QCOMPARE(rig.dialog->findChild<QLabel*>(QStringLiteral("labSummary"))->text(), summary);
    QTest::mouseClick(rig.button("bntCopySummary"), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), summary + QLatin1Char('\n'));

    // The raw lines stay one tab away, as they came.
    auto* tabs = rig.dialog->findChild<QTabWidget*>(QStringLiteral("tabsRecords"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(rig.view()->model()->rowCount(), 1 + Records);
}

// "表格 CSV", offered first, names every column and gives one field a cell; the status line says
// what was written.
void TestHistoryTable::tableCsvReadsBack()
{
    HistoryRig rig;
    rig.setLines(
        QStringLiteral("记录时间 温度(℃) 状态\n2026-03-01 08:00:00 20.5,\"正常\"\n2026-03-01 09:00:00 21.0,高,x\n"));
    const QString path = rig.dir.filePath(QStringLiteral("t"));
    rig.prompter.nextFileName(path);
    QTest::mouseClick(rig.button("bntExportCSV"), Qt::LeftButton);
    QVERIFY(rig.prompter.fileDialogFilters.last().startsWith(QStringLiteral("表格 CSV (*.csv);;记录原文")));
    const QByteArray bytes = rig.dir.readFile(QStringLiteral("t.csv"));
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0), (QStringList{"日期", "时间", "温度(℃)", "状态"}));
    QCOMPARE(rows.at(1), (QStringList{"2026-03-01", "08:00:00", "20.5", "\"正常\""}));
    QCOMPARE(rows.at(2), (QStringList{"2026-03-01", "09:00:00", "21.0", "高", "x"}));
    QCOMPARE(rig.dialog->findChild<QLabel*>(QStringLiteral("labStatus"))->text(),
             QStringLiteral("已导出 2 条记录到 %1.csv").arg(QDir::toNativeSeparators(path)));
}

// The presets set the range ending today; the range asked for is offered again next time, with
// four-digit years whatever the language.
void TestHistoryTable::datePresetsAndMemory()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDate today = QDate::currentDate();
    {
        HistoryRig rig;
        auto* range = rig.dialog->findChild<QComboBox*>(QStringLiteral("cmbRange"));
        auto* start = rig.dialog->findChild<QDateEdit*>(QStringLiteral("dateStart"));
        auto* end = rig.dialog->findChild<QDateEdit*>(QStringLiteral("dateEnd"));
        const QList<QPair<int, QDate>> presets{
            {2, today.addDays(-6)}, {3, today.addDays(-29)}, {4, QDate(today.year(), today.month(), 1)}, {1, today}};
        for (const auto& preset : presets) {
            QMetaObject::invokeMethod(range, "activated", Q_ARG(int, preset.first));
            QCOMPARE(start->date(), preset.second);
            QCOMPARE(end->date(), today);
        }
        QCOMPARE(end->text(), today.toString(Qt::ISODate));
        rig.instrument.sim()->setHistoryRecordCount(2);
        rig.query(QDate(2026, 2, 3), QDate(2026, 2, 5));
        QVERIFY(rig.waitForRun());
        HistoryData again;
        QCOMPARE(again.findChild<QDateEdit*>(QStringLiteral("dateStart"))->date(), QDate(2026, 2, 3));
        QCOMPARE(again.findChild<QDateEdit*>(QStringLiteral("dateEnd"))->text(), QStringLiteral("2026-02-05"));
    }
    QLocale::setDefault(QLocale::system());
}

QTEST_MAIN(TestHistoryTable)
#include "tst_historytable.moc"
