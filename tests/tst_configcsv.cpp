// Labels: fast gui
#include "app/mainwindow.h"
#include "config/ui/configtree.h"
#include "config/itemcsv.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QStatusBar>
#include <QTest>
#include <QTextCodec>
#include <QTreeWidgetItem>

// The configuration CSV file: its line format, and export and import as the operator runs them.
class TestConfigCsv : public QObject
{
    Q_OBJECT
private slots:
    void lineParse_data();
    void lineParse();

    void exportIsByteExact();
    void exportThenImportRestoresRows();
    void badLineEmptiesTree();
    void fileWithoutBomUsesLocaleCodePage();
    void unopenableFiles();
    void fullDiskIsNoSuccess();
    void cancelledDialogsDoNothing();
};

void TestConfigCsv::lineParse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("valued") << "05. 报警上限, 120" << true << 5 << QStringList{"报警上限", "120"};
    QTest::newRow("index 0 loses its value") << "00. 设备名称, ZQ-1" << true << 0 << QStringList{"设备名称"};
    QTest::newRow("index 1 loses its value") << "01. 设备型号, M1" << true << 1 << QStringList{"设备型号"};
    QTest::newRow("empty value stays a field") << "03. 复位," << true << 3 << QStringList{"复位", ""};
    QTest::newRow("name runs to the last comma") << "10. a,b, c" << true << 10 << QStringList{"a,b", "c"};
    QTest::newRow("time of day") << "07. 定时, 12:30:00" << true << 7 << QStringList{"定时", "12:30:00"};
    QTest::newRow("number too large") << "99999999999. x, 1" << true << 0 << QStringList{"x"};
    QTest::newRow("no comma") << "05. 报警上限 120" << false << 0 << QStringList();
    QTest::newRow("empty line") << "" << false << 0 << QStringList();
    QTest::newRow("no number") << "报警上限, 120" << false << 0 << QStringList();
    QTest::newRow("leading blank") << " 05. a, 1" << false << 0 << QStringList();
}

void TestConfigCsv::lineParse()
{
    QFETCH(QString, line);
    QFETCH(bool, ok);
    QFETCH(int, index);
    QFETCH(QStringList, fields);
    int parsedIndex = -1;
    QStringList parsed;
    QCOMPARE(parseCsvLine(line, &parsedIndex, &parsed), ok);
    if (ok) {
        QCOMPARE(parsedIndex, index);
        QCOMPARE(parsed, fields);
    }
}

void TestConfigCsv::exportIsByteExact()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    addRows(window, {{0, "设备名称:ZQ-1"}, {1, "版本:5.3"}, {5, "报警上限: 120"}, {6, "复位"}, {7, "定时:12:30:00"}});
    prompter.nextFileName(dir.filePath("out.csv"));
    trigger(window, "export_2");
    QCOMPARE(prompter.fileDialogCaptions, QStringList{"导出配置"});
    const QByteArray expected = QByteArray("\xEF\xBB\xBF")
        + QStringLiteral("00. 设备名称, ZQ-1\r\n01. 版本, 5.3\r\n05. 报警上限, 120\r\n06. 复位,\r\n07. 定时, 12:30:00\r\n").toUtf8();
    QCOMPARE(dir.readFile("out.csv"), expected);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("导出配置成功"));
    QVERIFY(prompter.shown.isEmpty());

    // An empty tree leaves the byte order mark alone, replacing the earlier contents.
    window.slotClearItems();
    prompter.nextFileName(dir.filePath("out.csv"));
    trigger(window, "export_2");
    QCOMPARE(dir.readFile("out.csv"), QByteArray("\xEF\xBB\xBF"));
}

void TestConfigCsv::exportThenImportRestoresRows()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    addRows(window, {{0, "设备名称:ZQ-1"}, {1, "版本:5.3"}, {5, "报警上限: 120"}, {6, "复位"}, {7, "定时:12:30:00"},
                     {123, "末项:x"}});
    prompter.nextFileName(dir.filePath("round.csv"));
    trigger(window, "export_2");

    window.slotClearItems();
    addRows(window, {{9, "旧项:1"}});
    prompter.nextFileName(dir.filePath("round.csv"));
    trigger(window, "import_2");
    QCOMPARE(prompter.fileDialogCaptions.last(), QStringLiteral("导入配置"));
    QVERIFY(prompter.shown.isEmpty());
    // The indices come back; 0 and 1 lose their value, and an exported confirm-only row comes
    // back valued with an empty value.
    QCOMPARE(rowsOf(window), (QStringList{"01. 设备名称||0", "02. 版本||1", "03. 报警上限|: 120|5", "04. 复位|: |6",
                                          "05. 定时|: 12:30:00|7", "06. 末项|: x|123"}));
    QCOMPARE(window.statusBar()->currentMessage(), QString());
}

void TestConfigCsv::badLineEmptiesTree()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    addRows(window, {{2, "a:1"}});
    dir.writeFile("bad.csv", QByteArray("\xEF\xBB\xBF") + "02. a, 1\r\n03. b 2\r\n04. c, 3\r\n");
    prompter.nextFileName(dir.filePath("bad.csv"));
    trigger(window, "import_2");
    QCOMPARE(prompter.texts(), QStringList{"文件解析错误"});
    QCOMPARE(prompter.shown.first().title, QStringLiteral("导入配置"));
    QCOMPARE(window.configTree()->topLevelItemCount(), 0);
}

void TestConfigCsv::fileWithoutBomUsesLocaleCodePage()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    QTextCodec* previous = QTextCodec::codecForLocale();
    QTextCodec* gb2312 = QTextCodec::codecForName("GB2312");
    QVERIFY(gb2312);
    QTextCodec::setCodecForLocale(gb2312);
    dir.writeFile("gb.csv", gb2312->fromUnicode(QStringLiteral("05. 报警上限, 一百\r\n")));
    prompter.nextFileName(dir.filePath("gb.csv"));
    trigger(window, "import_2");
    QTextCodec::setCodecForLocale(previous);
    QCOMPARE(rowsOf(window), QStringList{"01. 报警上限|: 一百|5"});
}

void TestConfigCsv::unopenableFiles()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    const QString missing = dir.filePath("missing.csv");
    prompter.nextFileName(missing);
    trigger(window, "import_2");
    const QString unwritable = dir.filePath("no/such/dir.csv");
    prompter.nextFileName(unwritable);
    trigger(window, "export_2");
    QCOMPARE(prompter.texts(), (QStringList{"打开文件失败: " + missing, "打开文件失败: " + unwritable}));
    QCOMPARE(prompter.shown.at(0).title, QStringLiteral("导入配置"));
    QCOMPARE(prompter.shown.at(1).title, QStringLiteral("导出配置"));
}

void TestConfigCsv::fullDiskIsNoSuccess()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    addRows(window, {{2, "a:1"}});
    prompter.nextFileName(QStringLiteral("/dev/full"));
    trigger(window, "export_2");
    QCOMPARE(prompter.texts(), QStringList{"写入文件失败: /dev/full"});
    QVERIFY(window.statusBar()->currentMessage() != QStringLiteral("导出配置成功"));
}

void TestConfigCsv::cancelledDialogsDoNothing()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    addRows(window, {{2, "a:1"}});
    trigger(window, "import_2");
    trigger(window, "export_2");
    QCOMPARE(prompter.fileDialogCaptions, (QStringList{"导入配置", "导出配置"}));
    QVERIFY(prompter.shown.isEmpty());
    QCOMPARE(window.configTree()->topLevelItemCount(), 1);
}

QTEST_MAIN(TestConfigCsv)
#include "tst_configcsv.moc"
