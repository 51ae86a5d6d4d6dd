// Labels: fast
#include "config/configmodel.h"
#include "config/configwriter.h"

#include <QSignalSpy>
#include <QTest>

// The configuration model without a view: what the window, the backups and zq-cli take from it.
// Items are written "index|item text", rows read back as "column 0|column 1|index|read value".
class TestConfigModel : public QObject
{
    Q_OBJECT
private slots:
    void importKeepsWhatTheInstrumentReported_data();
    void importKeepsWhatTheInstrumentReported();
    void heldNameRowBelongsToItsModel();
    void answersToManyRowsAreOneNotice();
    void backupTakesTheReadValues();
    void clearsCountGenerations();

private:
    static QVector<ReadItem> readItems(const QStringList& items);
    static QStringList shown(const ConfigModel& model);
};

QVector<ReadItem> TestConfigModel::readItems(const QStringList& items)
{
    QVector<ReadItem> read;
    for (const QString& item : items) {
        const int bar = item.indexOf(QLatin1Char('|'));
        read.append({item.left(bar).toInt(), item.mid(bar + 1).split(QLatin1Char(':')), 0});
    }
    return read;
}

QStringList TestConfigModel::shown(const ConfigModel& model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex name = model.index(row, 0);
        const QVariant read = name.data(ConfigModel::ReadValueRole);
        rows.append(QStringLiteral("%1|%2|%3|%4")
                        .arg(name.data().toString(), model.index(row, 1).data().toString())
                        .arg(name.data(ConfigModel::IndexRole).toInt())
                        .arg(read.isValid() ? read.toString() : QStringLiteral("-")));
    }
    return rows;
}

void TestConfigModel::importKeepsWhatTheInstrumentReported_data()
{
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QStringList>("imported");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("changed");
    QTest::newRow("same items, one changed")
        << QStringList{"2|温度:20", "3|湿度:50"} << QStringList{"2|温度:25", "3|湿度:50"}
        << QStringList{"01. 温度|: 25|2|: 20", "02. 湿度|: 50|3|: 50"} << 1;
    QTest::newRow("an item the instrument never listed")
        << QStringList{"2|温度:20"} << QStringList{"9|新项:1"} << QStringList{"01. 新项|: 1|9|-"} << 1;
    QTest::newRow("matched by index, not by place")
        << QStringList{"2|温度:20", "3|湿度:50"} << QStringList{"3|湿度:50", "2|温度:20"}
        << QStringList{"01. 湿度|: 50|3|: 50", "02. 温度|: 20|2|: 20"} << 0;
    QTest::newRow("an action stays an action")
        << QStringList{"5|复位"} << QStringList{"5|复位"} << QStringList{"01. 复位||5|"} << 0;
    QTest::newRow("nothing read before") << QStringList() << QStringList{"2|温度:20"}
                                         << QStringList{"01. 温度|: 20|2|-"} << 1;
}

// An import replaces the rows, but each keeps what the instrument reported for its item: what the
// file changes shows as a change, and nothing else does.
void TestConfigModel::importKeepsWhatTheInstrumentReported()
{
    QFETCH(QStringList, read);
    QFETCH(QStringList, imported);
    QFETCH(QStringList, rows);
    QFETCH(int, changed);
    ConfigModel model;
    model.showRead(readItems(read));
    QVector<ImportedRow> file;
    for (const ReadItem& item : readItems(imported))
        file.append({item.index, item.fields, QString()});
    model.showImport(file);
    QCOMPARE(shown(model), rows);
    QCOMPARE(model.changedCount(), changed);
    // An imported row was not decoded from the instrument: a write encodes it afresh.
    for (int row = 0; row < model.rowCount(); ++row)
        QCOMPARE(model.row(row).codec, -1);
}

// Two models (two instruments read in parallel by zq-cli) each hold their own name row back.
void TestConfigModel::heldNameRowBelongsToItsModel()
{
    const SkipMap skip{{QStringLiteral("N1"), {QStringLiteral("M1")}}};
    ConfigModel first;
    ConfigModel second;
    first.setSkipMap(skip);
    second.setSkipMap(skip);
    first.addItem(0, {QStringLiteral("设备名称"), QStringLiteral("N1")});
    second.addItem(0, {QStringLiteral("设备名称"), QStringLiteral("N1")});
    second.addItem(1, {QStringLiteral("设备型号"), QStringLiteral("M1")});
    first.addItem(1, {QStringLiteral("设备型号"), QStringLiteral("M2")});
    QCOMPARE(second.rowCount(), 0);
    QCOMPARE(first.rowCount(), 2);
    QCOMPARE(first.row(0).name, QStringLiteral("设备名称"));
    QCOMPARE(first.index(1, 0).data().toString(), QStringLiteral("02. 设备型号"));
    // A clear forgets a held row: the next instrument's model row does not bring it back.
    first.clear();
    first.addItem(0, {QStringLiteral("设备名称"), QStringLiteral("N1")});
    first.clear();
    first.addItem(1, {QStringLiteral("设备型号"), QStringLiteral("M2")});
    QCOMPARE(shown(first), QStringList{"01. 设备型号|: M2|1|-"});
}

// A batch of answers is one notice over the rows it touched; rows answered as they were read
// change nothing and are not told.
void TestConfigModel::answersToManyRowsAreOneNotice()
{
    ConfigModel model;
    model.showRead(readItems({"0|a:1", "1|b:2", "2|c:3", "3|d:4", "4|e:5"}));
    model.setValue(1, QStringLiteral("20"));
    model.setValue(3, QStringLiteral("40"));
    QCOMPARE(model.changedCount(), 2);
    QSignalSpy notices(&model, &QAbstractItemModel::dataChanged);
    ItemWriteOutcome kept;
    kept.valued = true;
    kept.kept = true;
    kept.value = QStringLiteral("20");
    ItemWriteOutcome refused = kept;
    refused.value = QStringLiteral("4");
    refused.kept = false;
    ItemWriteOutcome unchanged = kept;
    unchanged.value = QStringLiteral("1");
    model.applyAnswers({{0, &unchanged}, {1, &kept}, {3, &refused}});
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices.first().at(0).toModelIndex().row(), 1);
    QCOMPARE(notices.first().at(1).toModelIndex().row(), 3);
    QCOMPARE(model.changedCount(), 0);
    QCOMPARE(model.item(3).row.value, QStringLiteral("4"));
    QVERIFY(model.item(3).refused);
    QVERIFY(!model.item(1).refused);
    model.applyAnswers({{0, &unchanged}});
    QCOMPARE(notices.size(), 1);
}

// The backup keeps the values the instrument holds, not the ones about to be written; rows it never
// reported stay out.
void TestConfigModel::backupTakesTheReadValues()
{
    ConfigModel model;
    model.showRead(readItems({"4|温度:20", "6|复位"}));
    model.setValue(0, QStringLiteral("25"));
    model.addItem(9, {QStringLiteral("新项"), QStringLiteral("1")});
    const ConfigRows backup = model.readRows();
    QCOMPARE(backup.size(), 2);
    QCOMPARE(backup.at(0).index, 4);
    QCOMPARE(backup.at(0).value, QStringLiteral("20"));
    QVERIFY(backup.at(0).valued);
    QCOMPARE(backup.at(0).codec, 0);
    QCOMPARE(backup.at(1).name, QStringLiteral("复位"));
    QVERIFY(backup.at(1).isConfirmOnly());
    QCOMPARE(model.row(0).value, QStringLiteral("25"));
}

// A write that started on rows since replaced must leave the new rows alone.
void TestConfigModel::clearsCountGenerations()
{
    ConfigModel model;
    const int start = model.generation();
    model.addItem(1, {QStringLiteral("a"), QStringLiteral("1")});
    model.setValue(0, QStringLiteral("2"));
    QCOMPARE(model.generation(), start);
    model.showRead(readItems({"1|a:1"}));
    model.showImport({});
    model.clear();
    QCOMPARE(model.generation(), start + 3);
}

QTEST_GUILESS_MAIN(TestConfigModel)
#include "tst_configmodel.moc"
