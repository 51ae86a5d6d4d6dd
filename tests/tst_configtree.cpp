// Labels: fast gui
#include "app/mainwindow.h"
#include "config/configmodel.h"
#include "config/configwriter.h"
#include "config/readonlyitems.h"
#include "config/skipitems.h"
#include "config/ui/configtree.h"
#include "tests/support/workdir.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QTest>

// Rows are written "index|item text" (the text split at ':' as the read does) and the tree is read
// back as "column 0|column 1|ItemIndexRole".
class TestConfigTree : public QObject
{
    Q_OBJECT
private slots:
    void rowFormat_data();
    void rowFormat();
    void numberingPastNinetyNine();
    void stripSpaces_data();
    void stripSpaces();
    void readSkipItems_data();
    void readSkipItems();
    void skipRules_data();
    void skipRules();
    void heldNameRowEndsWithAClear();
    void nameColumnWidth_data();
    void nameColumnWidth();
    void rowLookFollowsState_data();
    void rowLookFollowsState();
    void readOnlyItemsByName_data();
    void readOnlyItemsByName();

private:
    static void addRows(MainWindow& window, const QStringList& rows);
    static QStringList shownRows(MainWindow& window);
};

void TestConfigTree::addRows(MainWindow& window, const QStringList& rows)
{
    for (const QString& row : rows) {
        const int bar = row.indexOf(QLatin1Char('|'));
        window.slotAddItems(row.left(bar).toInt(), row.mid(bar + 1).split(QLatin1Char(':')));
    }
}

QStringList TestConfigTree::shownRows(MainWindow& window)
{
    QStringList result;
    const QAbstractItemModel* shown = window.configTree()->model();
    for (int i = 0; i < shown->rowCount(); ++i) {
        result << shown->index(i, 0).data().toString() + '|' + shown->index(i, 1).data().toString() + '|'
                + QString::number(shown->index(i, 0).data(ConfigModel::IndexRole).toInt());
    }
    return result;
}

void TestConfigTree::rowFormat_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("numbered in order, index kept")
        << QStringList{"0|P:1", "1|Q:2", "2|R:3"} << QStringList{"01. P|: 1|0", "02. Q|: 2|1", "03. R|: 3|2"};
    QTest::newRow("confirm-only item") << QStringList{"7|恢复出厂设置"} << QStringList{"01. 恢复出厂设置||7"};
    QTest::newRow("blanks trimmed") << QStringList{"3|  温度  :  20 "} << QStringList{"01. 温度|: 20|3"};
    QTest::newRow("time of day as value") << QStringList{"4|时间:12:30:00"} << QStringList{"01. 时间|: 12:30:00|4"};
    QTest::newRow("empty value is still a value") << QStringList{"5|名称:"} << QStringList{"01. 名称|: |5"};
}

void TestConfigTree::rowFormat()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, shown);
    WorkDir dir;
    MainWindow window;
    addRows(window, rows);
    QCOMPARE(shownRows(window), shown);
}

void TestConfigTree::numberingPastNinetyNine()
{
    WorkDir dir;
    MainWindow window;
    for (int i = 0; i < 101; ++i)
        window.slotAddItems(i * 3, {QStringLiteral("P%1").arg(i), QString::number(i)});
    const QStringList rows = shownRows(window);
    QCOMPARE(rows.at(0), QStringLiteral("01. P0|: 0|0"));
    QCOMPARE(rows.at(8), QStringLiteral("09. P8|: 8|24"));
    QCOMPARE(rows.at(9), QStringLiteral("10. P9|: 9|27"));
    QCOMPARE(rows.at(98), QStringLiteral("99. P98|: 98|294"));
    QCOMPARE(rows.at(99), QStringLiteral("100. P99|: 99|297"));
    QCOMPARE(rows.at(100), QStringLiteral("101. P100|: 100|300"));
    // What the edit and the write take back out of a row.
    QCOMPARE(window.configModel()->row(99).name, QStringLiteral("P99"));
    QCOMPARE(window.configModel()->row(99).value, QStringLiteral("99"));
}

void TestConfigTree::stripSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stripped");
    QTest::newRow("blanks anywhere") << " X Y  Z "
                                     << "XYZ";
    QTest::newRow("line end and tab at the ends") << "\tA B\r\n"
                                                  << "AB";
    QTest::newRow("inner tab stays") << "A\tB"
                                     << "A\tB";
    QTest::newRow("inner ideographic space stays") << QStringLiteral("型号\u3000一") << QStringLiteral("型号\u3000一");
    QTest::newRow("only blanks") << "   "
                                 << "";
}

void TestConfigTree::stripSpaces()
{
    QFETCH(QString, text);
    QFETCH(QString, stripped);
    QCOMPARE(::stripSpaces(text), stripped);
}

void TestConfigTree::readSkipItems_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("map"); // key:value,value;key:...  sorted
    QTest::newRow("value alone lists itself") << QByteArray("X Y Z\n") << "XYZ:XYZ";
    QTest::newRow("name and model") << QByteArray(" N 1 , M 1 \r\n") << "N1:M1";
    QTest::newRow("third part ignored") << QByteArray("N1,M1,extra") << "N1:M1";
    QTest::newRow("models gather under a name") << QByteArray("N1,M2\nN1,M1\nN1\n") << "N1:M1,M2,N1";
    QTest::newRow("text ends at a NUL byte") << QByteArray("AB\0,CD\nEF", 9) << "AB:AB;EF:EF";
    QTest::newRow("utf-8") << QByteArray("温湿度仪,TH-2\n") << QStringLiteral("温湿度仪:TH-2");
    QTest::newRow("blank lines list nothing") << QByteArray("\n  \r\nX\n\n") << "X:X";
    QTest::newRow("empty file") << QByteArray() << "";
}

void TestConfigTree::readSkipItems()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, map);
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    const SkipMap read = ::readSkipItems(buffer);
    QStringList entries;
    for (auto it = read.cbegin(); it != read.cend(); ++it) {
        QStringList values = it.value().values();
        values.sort();
        entries << it.key() + ':' + values.join(',');
    }
    QCOMPARE(entries.join(';'), map);
    QVERIFY(::readSkipItems(QStringLiteral("/nonexistent/SkipItems")).isEmpty());
}

void TestConfigTree::skipRules_data()
{
    QTest::addColumn<QByteArray>("skipItems");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("shown");
    const QStringList nameTempModel1{"0|设备名称:N1", "1|温度:20", "2|设备型号:M1"};
    QTest::newRow("model with blanks on both sides")
        << QByteArray("X Y Z\n") << QStringList{"0|设备型号: XYZ ", "1|温度:20"} << QStringList{"01. 温度|: 20|1"};
    QTest::newRow("listed pair hides name and model")
        << QByteArray("N1,M1\n") << nameTempModel1 << QStringList{"01. 温度|: 20|1"};
    QTest::newRow("other model releases the name just before it")
        << QByteArray("N1,M1\n") << QStringList{"0|设备名称:N1", "1|温度:20", "2|设备型号:M2"}
        << QStringList{"01. 温度|: 20|1", "02. 设备名称|: N1|0", "03. 设备型号|: M2|2"};
    QTest::newRow("blanks in the name value")
        << QByteArray("N1,M1\n") << QStringList{"0|设备名称: N 1", "1|设备型号:M 1 "} << QStringList{};
    QTest::newRow("unlisted name shown at once")
        << QByteArray("N1,M1\n") << QStringList{"0|设备名称:N2", "1|设备型号:M1"}
        << QStringList{"01. 设备名称|: N2|0", "02. 设备型号|: M1|1"};
    QTest::newRow("model without a held name looks up keys")
        << QByteArray("N1,M1\nX\n") << QStringList{"0|设备型号:M1", "1|设备型号:X"}
        << QStringList{"01. 设备型号|: M1|0"};
    QTest::newRow("release ends the hold")
        << QByteArray("N1,M1\nM1\n") << QStringList{"0|设备名称:N1", "1|设备型号:M2", "2|设备型号:M1"}
        << QStringList{"01. 设备名称|: N1|0", "02. 设备型号|: M2|1"};
    QTest::newRow("held name without a model stays hidden")
        << QByteArray("N1,M1\n") << QStringList{"0|设备名称:N1", "1|温度:20"} << QStringList{"01. 温度|: 20|1"};
    QTest::newRow("a later name replaces the held one")
        << QByteArray("N1,M1\nN2,M2\n") << QStringList{"0|设备名称:N1", "1|设备名称:N2", "2|设备型号:M9"}
        << QStringList{"01. 设备名称|: N2|1", "02. 设备型号|: M9|2"};
    QTest::newRow("model in any case") << QByteArray("X\n") << QStringList{"0|MoDeL:X", "1|model:Y", "2|MODEL: X "}
                                       << QStringList{"01. model|: Y|1"};
    QTest::newRow("device model name matched exactly")
        << QByteArray("X\n") << QStringList{"0| 设备型号:X"} << QStringList{"01. 设备型号|: X|0"};
    QTest::newRow("one field is never hidden")
        << QByteArray("X\n") << QStringList{"0|X", "1|设备型号"} << QStringList{"01. X||0", "02. 设备型号||1"};
    QTest::newRow("other names are never hidden")
        << QByteArray("X\n") << QStringList{"0|序列号:X"} << QStringList{"01. 序列号|: X|0"};
    QTest::newRow("blank line hides no empty value")
        << QByteArray("\n") << QStringList{"0|设备型号:"} << QStringList{"01. 设备型号|: |0"};
}

void TestConfigTree::skipRules()
{
    QFETCH(QByteArray, skipItems);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, shown);
    WorkDir dir;
    dir.writeFile("SkipItems", skipItems);
    MainWindow window;
    addRows(window, rows);
    QCOMPARE(shownRows(window), shown);
}

// A cleared tree starts a new read or import: a name row held back before must not come back
// with another instrument's model row.
void TestConfigTree::heldNameRowEndsWithAClear()
{
    WorkDir dir;
    dir.writeFile("SkipItems", "N1,M1\n");
    MainWindow window;
    addRows(window, {"0|设备名称:N1", "1|温度:20"});
    window.slotClearItems();
    QVERIFY(shownRows(window).isEmpty());
    addRows(window, {"5|设备型号:M2"});
    QCOMPARE(shownRows(window), (QStringList{"01. 设备型号|: M2|5"}));
}

void TestConfigTree::nameColumnWidth_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("direction"); // of the name column's width: -1 narrower, 0 kept, 1 wider
    QTest::newRow("rows marked changed") << "mark" << 0;
    QTest::newRow("marked rows written back") << "mark unmark" << 0;
    QTest::newRow("a longer name") << "longer" << 1;
    QTest::newRow("a bigger font") << "font" << 1;
    QTest::newRow("shorter names after a clear") << "shorter" << -1;
}

// The name column fits its names as the widest a row can show them (bold, with a marker), so that
// a write that marks or unmarks rows never moves it; new names and a new font are measured anew.
void TestConfigTree::nameColumnWidth()
{
    QFETCH(QString, change);
    QFETCH(int, direction);
    ConfigModel rows;
    ConfigTree tree(&rows);
    QVector<ReadItem> read;
    const auto add = [&](const QStringList& items) {
        for (const QString& item : items)
            read.append({read.size(), item.split(QLatin1Char(':')), -1});
        rows.showRead(read);
    };
    const auto setValues = [&](const QString& value, bool written) {
        ItemWriteOutcome answer;
        answer.valued = true;
        answer.value = value;
        answer.kept = true;
        QVector<QPair<int, const ItemWriteOutcome*>> answers;
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (written)
                answers.append({row, &answer});
            else
                rows.setValue(row, value);
        }
        rows.applyAnswers(answers);
    };
    add({"温度:20", "报警上限:120"});
    const int before = tree.columnWidth(0);
    for (const QString& step : change.split(QLatin1Char(' '))) {
        if (step == QLatin1String("mark"))
            setValues(QStringLiteral("99"), false);
        else if (step == QLatin1String("unmark"))
            setValues(QStringLiteral("99"), true);
        else if (step == QLatin1String("longer"))
            add({"报警上限的回差与延时:5"});
        else if (step == QLatin1String("font"))
            tree.setFont(QFont(tree.font().family(), tree.font().pointSize() + 6));
        else if (step == QLatin1String("shorter")) {
            read.clear();
            add({"温:1"});
        }
    }
    const int after = tree.columnWidth(0);
    QCOMPARE(after > before ? 1 : after < before ? -1 : 0, direction);
    QCOMPARE(tree.model()->index(0, 1).data().toString().isEmpty(), false);
    // Every name fits shown bold beside its marker.
    QFont bold = tree.font();
    bold.setBold(true);
    for (int row = 0; row < rows.rowCount(); ++row) {
        const int needed = QFontMetrics(bold).horizontalAdvance(tree.model()->index(row, 0).data().toString())
            + tree.iconSize().width();
        QVERIFY2(after >= needed, qPrintable(QStringLiteral("%1 < %2").arg(after).arg(needed)));
    }
}

void TestConfigTree::rowLookFollowsState_data()
{
    QTest::addColumn<QString>("value"); // given after the read (empty: none), or the row's only value
    QTest::addColumn<QVariant>("read"); // as the instrument last told it, if it did
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("look"); // bold, marker, grey, and the tip, as the view asks
    const QVariant unread;
    QTest::newRow("as read") << "" << QVariant("20") << false << "plain||";
    QTest::newRow("as read but for spaces") << "20 " << QVariant("20") << false << "plain||";
    QTest::newRow("changed") << "25" << QVariant("20") << false << "bold|dot|已修改, 尚未写入; 设备中为 20";
    QTest::newRow("never read") << "25" << unread << false << "bold|dot|已修改, 尚未写入; 设备中的值未读取";
    QTest::newRow("refused") << "" << QVariant("20") << true << "plain|grey|设备未接受写入的值, 仍为 20";
    QTest::newRow("refused, then changed")
        << "30" << QVariant("20") << true << "bold|dot|已修改, 尚未写入; 设备中为 20";
    QTest::newRow("action") << QString() << unread << false << "plain|triangle|操作项: 双击后由设备执行";
}

// A row's look is worked out from what the model holds whenever the view asks.
void TestConfigTree::rowLookFollowsState()
{
    QFETCH(QString, value);
    QFETCH(QVariant, read);
    QFETCH(bool, refused);
    QFETCH(QString, look);
    ConfigModel rows;
    const QString name = QStringLiteral("温度");
    if (read.isValid())
        rows.showRead({{7, {name, read.toString()}, -1}});
    else
        rows.addItem(7, value.isNull() ? QStringList{name} : QStringList{name, value});
    if (refused) {
        ItemWriteOutcome answer;
        answer.valued = true;
        answer.value = read.toString();
        rows.applyAnswer(0, answer);
    }
    if (read.isValid() && !value.isEmpty())
        rows.setValue(0, value);
    ConfigTree tree(&rows);
    const QModelIndex name0 = tree.model()->index(0, 0);
    const QModelIndex value1 = tree.model()->index(0, 1);
    const QStringList parts = look.split(QLatin1Char('|'));
    const bool bold = parts.at(0) == QLatin1String("bold");
    QCOMPARE(name0.data(Qt::FontRole).value<QFont>().bold(), bold);
    QCOMPARE(value1.data(Qt::FontRole).value<QFont>().bold(), bold);
    const bool dot = parts.at(1) == QLatin1String("dot");
    const bool triangle = parts.at(1) == QLatin1String("triangle");
    QCOMPARE(name0.data(Qt::DecorationRole).isValid(), dot || triangle);
    QVERIFY(!value1.data(Qt::DecorationRole).isValid());
    QCOMPARE(value1.data(Qt::ForegroundRole).isValid(), parts.at(1) == QLatin1String("grey"));
    QCOMPARE(name0.data(Qt::ToolTipRole).toString(), parts.at(2));
    QCOMPARE(value1.data(Qt::ToolTipRole).toString(), parts.at(2));
    QCOMPARE(rows.item(0).isChanged(), bold);
    QCOMPARE(name0.data(ConfigModel::ChangedRole).toBool(), bold);
    QCOMPARE(rows.item(0).refused, refused);
    QCOMPARE(rows.changedCount(), bold ? 1 : 0);
}

Q_DECLARE_METATYPE(ReadOnlyItem)

void TestConfigTree::readOnlyItemsByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ReadOnlyItem>("reason");
    QTest::newRow("reading") << "当前温度" << ReadOnlyItem::Measured;
    QTest::newRow("reading, blanks around") << "  当前湿度 " << ReadOnlyItem::Measured;
    QTest::newRow("serial number") << "序列号" << ReadOnlyItem::Identity;
    QTest::newRow("serial number, English in capitals") << "SERIAL NUMBER" << ReadOnlyItem::Identity;
    QTest::newRow("model") << "设备型号" << ReadOnlyItem::Identity;
    QTest::newRow("firmware version") << "固件版本" << ReadOnlyItem::Identity;
    QTest::newRow("clock") << "设备时间" << ReadOnlyItem::Clock;
    QTest::newRow("device name can be written") << "设备名称" << ReadOnlyItem::None;
    QTest::newRow("a time of day can be written") << "定时上传" << ReadOnlyItem::None;
    QTest::newRow("a name that only holds a reading's word") << "温度修正" << ReadOnlyItem::None;
}

// The model knows the rows it takes no value for by their names, and marks them not editable.
void TestConfigTree::readOnlyItemsByName()
{
    QFETCH(QString, name);
    QFETCH(ReadOnlyItem, reason);
    QCOMPARE(readOnlyItem(name), reason);
    ConfigModel model;
    model.addItem(0, {name, QStringLiteral("1")});
    QCOMPARE(model.isEditable(0), reason == ReadOnlyItem::None);
    QCOMPARE(model.index(0, 1).data(ConfigModel::ReadOnlyRole).toInt(), int(reason));
    QCOMPARE(bool(model.flags(model.index(0, 0)) & Qt::ItemIsEditable), reason == ReadOnlyItem::None);
}

QTEST_MAIN(TestConfigTree)
#include "tst_configtree.moc"
