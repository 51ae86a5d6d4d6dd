// Labels: fast
// A configuration file beside the connected instrument: which rows it may change, which it may
// not, and when it belongs to another model or another instrument.
#include "config/configcomparison.h"
#include "config/itemcsv.h"

#include <QTest>

class TestConfigCompare : public QObject
{
    Q_OBJECT
private slots:
    void verdicts_data();
    void verdicts();
    void foreignFiles_data();
    void foreignFiles();
    void identityValuesReadFromFile();
};

namespace {

// "name:value" texts at indices 0, 1, 2, ...; a bare name is an action.
ConfigRows rowsOf(const QStringList& texts)
{
    ConfigRows rows;
    for (int i = 0; i < texts.size(); ++i) {
        const int colon = texts.at(i).indexOf(QLatin1Char(':'));
        ConfigRow row;
        row.index = i;
        row.name = texts.at(i).left(colon < 0 ? texts.at(i).size() : colon);
        row.valued = colon >= 0;
        row.value = row.valued ? texts.at(i).mid(colon + 1) : QString();
        rows.append(row);
    }
    return rows;
}

const QStringList Instrument{"设备名称:东",  "设备型号:ZQ-200", "序列号:A1",
                             "温度:20",      "湿度:30",         "设备时间:2026-01-01 08:00:00",
                             "恢复出厂设置", "固件版本:V1",     "当前温度:25.0"};

QString verdictName(RowVerdict verdict)
{
    switch (verdict) {
    case RowVerdict::Offered:
        return "offered";
    case RowVerdict::Unchanged:
        return "unchanged";
    case RowVerdict::Identity:
        return "identity";
    case RowVerdict::Action:
        return "action";
    case RowVerdict::ReadOnly:
        return "read-only";
    case RowVerdict::NameDiffers:
        return "name differs";
    case RowVerdict::NotOnInstrument:
        return "missing";
    }
    return QString();
}

} // namespace

void TestConfigCompare::verdicts_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QList<int>>("refusedBefore");
    // "verdict" or "verdict+" for a row checked by default, per file row.
    QTest::addColumn<QStringList>("expected");
    const QStringList same = Instrument;
    QTest::newRow("same file changes nothing")
        << same << QList<int>{} << QStringList{"identity",  "identity", "identity",  "unchanged", "unchanged",
                                               "unchanged", "action",   "read-only", "read-only"};
    QStringList changed = Instrument;
    changed[3] = "温度:25";
    changed[5] = "设备时间:2025-01-01 00:00:00";
    changed[7] = "固件版本:V2";
    changed[8] = "当前温度:30.0";
    QTest::newRow("changed value checked, clock not, readings never")
        << changed << QList<int>{} << QStringList{"identity", "identity", "identity",  "offered+", "unchanged",
                                                  "offered",  "action",   "read-only", "read-only"};
    QTest::newRow("refused before stays unchecked")
        << changed << QList<int>{3} << QStringList{"identity", "identity", "identity",  "offered",  "unchanged",
                                                   "offered",  "action",   "read-only", "read-only"};
    QStringList renamed = Instrument.mid(0, 5);
    renamed[4] = "湿度修正:1";
    renamed.append(QStringList{"x:1", "y:2", "z:3", "v:4", "w:5"});
    QTest::newRow("renamed and extra rows refused")
        << renamed << QList<int>{}
        << QStringList{"identity",     "identity",     "identity",     "unchanged",    "name differs",
                       "name differs", "name differs", "name differs", "name differs", "missing"};
    QStringList action = Instrument.mid(0, 7);
    action[6] = "恢复出厂设置:1";
    QTest::newRow("a value for an action is not offered")
        << action << QList<int>{}
        << QStringList{"identity", "identity", "identity", "unchanged", "unchanged", "unchanged", "action"};
}

void TestConfigCompare::verdicts()
{
    QFETCH(QStringList, file);
    QFETCH(QList<int>, refusedBefore);
    QFETCH(QStringList, expected);
    const ConfigComparison comparison = ConfigComparison::compare(
        rowsOf(file), rowsOf(Instrument), QSet<int>(refusedBefore.begin(), refusedBefore.end()));
    QStringList got;
    for (const ComparedRow& row : comparison.rows)
        got.append(verdictName(row.verdict) + (row.checked ? "+" : ""));
    QCOMPARE(got, expected);
    QCOMPARE(comparison.refused().size(), int(std::count_if(expected.begin(), expected.end(), [](const QString& v) {
                 return v == "name differs" || v == "missing";
             })));
}

void TestConfigCompare::foreignFiles_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<bool>("foreignModel");
    QTest::addColumn<bool>("foreignSerial");
    QTest::addColumn<int>("checked"); // rows proposed: none of a foreign file
    QStringList own = Instrument;
    own[3] = "温度:25";
    QTest::newRow("own file") << own << false << false << 1;
    QStringList otherSerial = own;
    otherSerial[2] = "序列号:B7";
    QTest::newRow("another instrument of the model") << otherSerial << false << true << 0;
    QStringList otherModel = own;
    otherModel[1] = "设备型号:ZQ-310";
    QTest::newRow("model row differs") << otherModel << true << false << 0;
    QTest::newRow("most names differ, no model row")
        << QStringList{"设备名称:东", "a:1", "量程上限:100", "量程下限:0", "阻尼时间:1", "温度:9"} << true << false
        << 0;
    QTest::newRow("a few names differ") << QStringList{"设备名称:东", "设备型号:ZQ-200", "序列号:A1", "温度:1",
                                                       "湿度修正:2"}
                                        << false << false << 1;
}

void TestConfigCompare::foreignFiles()
{
    QFETCH(QStringList, file);
    QFETCH(bool, foreignModel);
    QFETCH(bool, foreignSerial);
    QFETCH(int, checked);
    const ConfigComparison comparison = ConfigComparison::compare(rowsOf(file), rowsOf(Instrument));
    QCOMPARE(comparison.foreignModel, foreignModel);
    QCOMPARE(comparison.foreignSerial, foreignSerial);
    QCOMPARE(comparison.isForeign(), foreignModel || foreignSerial);
    QCOMPARE(int(std::count_if(comparison.rows.begin(), comparison.rows.end(),
                               [](const ComparedRow& row) { return row.checked; })),
             checked);
}

// An export's identity rows come back without a value to write, but the file still tells which
// instrument it was taken from.
void TestConfigCompare::identityValuesReadFromFile()
{
    QVector<ImportedRow> imported;
    for (const QString line : {"00. 设备名称, 东", "01. 设备型号, ZQ-310", "02. 序列号, C3", "03. 温度, 20"}) {
        ImportedRow row;
        QVERIFY(parseCsvRecord(line, &row.index, &row.fields, &row.identityValue) == CsvLineError::None);
        imported.append(row);
    }
    QCOMPARE(imported.at(1).fields, QStringList{"设备型号"});
    const ConfigIdentity identity = ConfigIdentity::of(fileRows(imported));
    QCOMPARE(identity.name, QStringLiteral("东"));
    QCOMPARE(identity.model, QStringLiteral("ZQ-310"));
    QCOMPARE(identity.serial, QStringLiteral("C3"));
    QCOMPARE(identity.label(), QStringLiteral("ZQ-310-C3"));
    const ConfigComparison comparison = ConfigComparison::compare(fileRows(imported), rowsOf(Instrument));
    QVERIFY(comparison.foreignModel);
}

QTEST_GUILESS_MAIN(TestConfigCompare)
#include "tst_configcompare.moc"
