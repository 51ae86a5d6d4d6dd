// Labels: fast gui
#include "app/mainwindow.h"
#include "config/configcsv.h"
#include "config/itemcsv.h"
#include "config/ui/configtree.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QScopeGuard>
#include <QStatusBar>
#include <QTest>
#include <QTextCodec>

// The configuration CSV file: its line format, and export and import as the operator runs them.
class TestConfigCsv : public QObject
{
    Q_OBJECT
private slots:
    void lineParse_data();
    void lineParse();

    void roundTrip_data();
    void roundTrip();
    void exportIsByteExact();
    void exportThenImportRestoresRows();
    void badLineKeepsTree_data();
    void badLineKeepsTree();
    void fileWithoutBomUsesLocaleCodePage();
    void encodings_data();
    void encodings();
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
    QTest::newRow("nothing after the comma is confirm-only") << "03. 复位," << true << 3 << QStringList{"复位"};
    QTest::newRow("a blank after the comma is an empty value") << "03. 名称, " << true << 3 << QStringList{"名称", ""};
    QTest::newRow("name runs to the last comma") << "10. a,b, c" << true << 10 << QStringList{"a,b", "c"};
    QTest::newRow("time of day") << "07. 定时, 12:30:00" << true << 7 << QStringList{"定时", "12:30:00"};
    QTest::newRow("number too large") << "99999999999. x, 1" << false << 0 << QStringList();
    QTest::newRow("255 is the last index") << "255. x, 1" << true << 255 << QStringList{"x", "1"};
    QTest::newRow("256 does not fit the index byte") << "256. x, 1" << false << 0 << QStringList();
    QTest::newRow("quoted value with a comma") << "05. 名称,\" a,b\"" << true << 5 << QStringList{"名称", "a,b"};
    QTest::newRow("quoted head with a comma") << "\"05. a,b\", 1" << true << 5 << QStringList{"a,b", "1"};
    QTest::newRow("doubled quotes") << "05. x,\" say \"\"hi\"\"\"" << true << 5 << QStringList{"x", "say \"hi\""};
    QTest::newRow("quoted empty value is valued") << "05. x,\"\"" << true << 5 << QStringList{"x", ""};
    QTest::newRow("old plain quote inside a value")
        << "05. x, say \"hi\"" << true << 5 << QStringList{"x", "say \"hi\""};
    QTest::newRow("unclosed quote") << "05. x,\"abc" << false << 0 << QStringList();
    QTest::newRow("text after a closing quote") << "05. x,\"a\"b" << false << 0 << QStringList();
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
        + QStringLiteral(
              "00. 设备名称, ZQ-1\r\n01. 版本, 5.3\r\n05. 报警上限, 120\r\n06. 复位,\r\n07. 定时, 12:30:00\r\n")
              .toUtf8();
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
    addRows(window,
            {{0, "设备名称:ZQ-1"},
             {1, "版本:5.3"},
             {5, "报警上限: 120"},
             {6, "复位"},
             {7, "定时:12:30:00"},
             {123, "末项:x"}});
    prompter.nextFileName(dir.filePath("round.csv"));
    trigger(window, "export_2");

    // The instrument has moved on since; the file brings its values back as changes, by index and
    // name. The identity rows 0 and 1 and the action keep the instrument's.
    addRows(window,
            {{0, "设备名称:ZQ-2"},
             {1, "版本:5.4"},
             {5, "报警上限: 130"},
             {6, "复位"},
             {7, "定时:08:00:00"},
             {123, "末项:x"}});
    prompter.nextFileName(dir.filePath("round.csv"));
    prompter.answerNext(acceptComparison());
    trigger(window, "import_2");
    QCOMPARE(prompter.fileDialogCaptions.last(), QStringLiteral("导入配置"));
    QCOMPARE(prompter.texts(), QStringList());
    QCOMPARE(rowsOf(window),
             (QStringList{"01. 设备名称|: ZQ-2|0", "02. 版本|: 5.4|1", "03. 报警上限|: 120|5", "04. 复位||6",
                          "05. 定时|: 12:30:00|7", "06. 末项|: x|123"}));
    QCOMPARE(window.configModel()->changedCount(), 2);
    QCOMPARE(window.statusBar()->currentMessage(), QString());
}

void TestConfigCsv::roundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value"); // null: a confirm-only row
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("written"); // the record as exported: quotes only where the plain format misreads
    QTest::newRow("plain") << "温度"
                           << "20" << QStringList{"温度", "20"} << "03. 温度, 20";
    QTest::newRow("comma in the value") << "名称"
                                        << "a,b" << QStringList{"名称", "a,b"} << "03. 名称,\" a,b\"";
    QTest::newRow("comma in the name") << "a,b"
                                       << "1" << QStringList{"a,b", "1"} << "03. a,b, 1";
    QTest::newRow("commas in both") << "a,b"
                                    << "c,d" << QStringList{"a,b", "c,d"} << "03. a,b,\" c,d\"";
    QTest::newRow("quotes") << "\"引\""
                            << "say \"hi\"" << QStringList{"\"引\"", "say \"hi\""} << "03. \"引\",\" say \"\"hi\"\"\"";
    QTest::newRow("quote after a comma in the name")
        << "温]度,\"0"
        << "1" << QStringList{"温]度,\"0", "1"} << "\"03. 温]度,\"\"0\", 1";
    QTest::newRow("value starting with a quote") << "x"
                                                 << "\"q" << QStringList{"x", "\"q"} << "03. x,\" \"\"q\"";
    QTest::newRow("line breaks") << "多\n行"
                                 << "a\r\nb" << QStringList{"多\n行", "a\r\nb"} << "\"03. 多\n行\",\" a\r\nb\"";
    QTest::newRow("empty value") << "x"
                                 << "" << QStringList{"x", ""} << "03. x, ";
    QTest::newRow("confirm-only") << "复位" << QString() << QStringList{"复位"} << "03. 复位,";
}

void TestConfigCsv::roundTrip()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QStringList, fields);
    QFETCH(QString, written);
    const ConfigRow row{3, name, value, !value.isNull()};
    QCOMPARE(formatCsvLine(row), written);
    const QString text = formatCsvLine(row) + "\n" + formatCsvLine(ConfigRow{4, "下一项", "1", true}) + "\n";
    QStringList records;
    QList<int> lines;
    QVERIFY(splitCsvRecords(text, &records, &lines));
    QCOMPARE(records.size(), 2);
    int index = -1;
    QStringList parsed;
    QCOMPARE(parseCsvRecord(records.first(), &index, &parsed), CsvLineError::None);
    QCOMPARE(index, 3);
    QCOMPARE(parsed, fields);
    // The record after it starts on its own line, however many the first one took.
    QCOMPARE(lines.last(), 2 + text.left(text.indexOf("04.")).count('\n') - 1);
}

void TestConfigCsv::badLineKeepsTree_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("text"); // %1: the file
    QTest::newRow("no comma") << QByteArray("02. a, 1\r\n03. b 2\r\n04. c, 3\r\n") << "文件解析错误: %1 第 2 行";
    QTest::newRow("blank lines are no rows")
        << QByteArray("\r\n02. a, 1\r\n\r\n03. b 2\r\n") << "文件解析错误: %1 第 4 行";
    QTest::newRow("item 258") << QByteArray("02. a, 1\r\n04. c, 3\r\n258. zz, 999\r\n")
                              << "文件解析错误: %1 第 3 行: 配置项编号必须在 0 到 255 之间";
    QTest::newRow("item 511") << QByteArray("511. zz, 1\r\n")
                              << "文件解析错误: %1 第 1 行: 配置项编号必须在 0 到 255 之间";
    QTest::newRow("quote never closes") << QByteArray("02. a, 1\r\n03. b,\"x\r\n04. c, 3\r\n")
                                        << "文件解析错误: %1 第 2 行";
    QTest::newRow("after a record of two lines")
        << QByteArray("02. a,\"x\r\ny\"\r\n03 b, 2\r\n") << "文件解析错误: %1 第 3 行";
}

void TestConfigCsv::badLineKeepsTree()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, text);
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    addRows(window, {{2, "a:1"}, {3, "复位"}});
    dir.writeFile("bad.csv", QByteArray("\xEF\xBB\xBF") + contents);
    prompter.nextFileName(dir.filePath("bad.csv"));
    trigger(window, "import_2");
    QCOMPARE(prompter.texts(), QStringList{text.arg(dir.filePath("bad.csv"))});
    QCOMPARE(prompter.shown.first().title, QStringLiteral("导入配置"));
    QCOMPARE(rowsOf(window), (QStringList{"01. a|: 1|2", "02. 复位||3"}));
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
    addRows(window, {{5, "报警上限:100"}});
    prompter.nextFileName(dir.filePath("gb.csv"));
    prompter.answerNext(acceptComparison());
    trigger(window, "import_2");
    QTextCodec::setCodecForLocale(previous);
    QCOMPARE(rowsOf(window), QStringList{"01. 报警上限|: 一百|5"});
}

void TestConfigCsv::encodings_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("row"); // "index|name|value" of the last row; empty: refused
    QTest::addColumn<int>("notTextLine"); // the line named when the file is refused as no text
    QTextCodec* gb18030 = QTextCodec::codecForName("GB18030");
    const QString text = QStringLiteral("00. 设备名称, 东\r\n12. 温度单位(℃/℉), ℉\r\n");
    QTest::newRow("UTF-8 with byte order mark") << "\xEF\xBB\xBF" + text.toUtf8() << "12|温度单位(℃/℉)|℉" << 0;
    QTest::newRow("UTF-8 without") << text.toUtf8() << "12|温度单位(℃/℉)|℉" << 0;
    QTest::newRow("GB18030 of a spreadsheet") << gb18030->fromUnicode(text) << "12|温度单位(℃/℉)|℉" << 0;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n\x00\x00\xFF\xFF\xFF\x80", 14) << QString() << 3;
    QTest::newRow("GB18030, then bytes of neither") << gb18030->fromUnicode(text) + "13. x, \xFF\xFF\r\n"
                                                    << QString() << 3;
    QTest::newRow("byte order mark, then bytes of GB18030")
        << "\xEF\xBB\xBF" + text.toUtf8() + gb18030->fromUnicode(QStringLiteral("13. 温度, 一百\r\n")) << QString()
        << 3;
}

// A file without a byte order mark is UTF-8 when it reads as UTF-8, else GB18030 (on a workstation
// that reads files as UTF-8); one in neither is refused with its line, not with a character it
// never held.
void TestConfigCsv::encodings()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, row);
    QFETCH(int, notTextLine);
    WorkDir dir;
    QTextCodec* previous = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    const auto restore = qScopeGuard([previous] { QTextCodec::setCodecForLocale(previous); });
    dir.writeFile("in.csv", contents);
    const CsvImport import = ConfigCsv::importFrom(dir.filePath("in.csv"));
    QCOMPARE(import.outcome.ok, !row.isEmpty());
    QCOMPARE(import.outcome.file.notText, notTextLine > 0);
    QCOMPARE(import.outcome.file.line, notTextLine);
    if (!row.isEmpty()) {
        const ImportedRow& last = import.rows.last();
        QCOMPARE(QStringLiteral("%1|%2").arg(last.index).arg(last.fields.join('|')), row);
    }
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
    QCOMPARE(shownRowCount(window), 1);
}

QTEST_MAIN(TestConfigCsv)
#include "tst_configcsv.moc"
