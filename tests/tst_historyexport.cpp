// Labels: net gui
#include "history/historyexport.h"
#include "history/recordtable.h"
#include "tst_historyrig.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextCodec>

// The CSV and PDF exports as the operator runs them from the history dialog; the PDF is read back
// with the poppler tools.
class TestHistoryExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fields_data();
    void fields();
    void columns_data();
    void columns();
    void csvIsTheTextBox();
    void refusedOrFailedExports_data();
    void refusedOrFailedExports();
    void pdfTableReadsBack();
    void pageBreaks();
    void fontTooTallForARow();
};

namespace {

// Runs one of the poppler tools and returns what it printed.
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(8000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString& pdf)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(poppler(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return poppler(QStringLiteral("pdftotext"), {"-layout", "-f", number, "-l", number, pdf, "-"});
}

// Fills the dialog's text box by a query of the simulator over UDP.
void queryRecords(HistoryRig& rig, int count)
{
    rig.sim()->setHistoryRecordCount(count);
    rig.sim()->setHistoryPace(24, 4096, 1);
    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 1));
    QVERIFY(rig.waitForRun());
}

// A header and numbered records: "2026-03-01 00:00:00 N" for N = 1 to count.
QString numberedRecords(int count)
{
    QString text = QStringLiteral("时间 序号");
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("\n2026-03-01 00:00:00 %1").arg(i);
    return text;
}

} // namespace

void TestHistoryExport::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils are missing: bash scripts/install-deps.sh");
}

void TestHistoryExport::fields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("row");
    QTest::newRow("date and time joined") << "2026-03-01 08:00:00 20.5,61" << 3
                                          << QStringList{"2026-03-01", "08:00:00", "20.5", "61"}
                                          << QStringList{"2026-03-01 08:00:00", "20.5", "61"};
    QTest::newRow("surplus dropped") << "2026-03-01\t08:00:00 ,1,2,3, 4" << 3
                                     << QStringList{"2026-03-01", "08:00:00", "1", "2", "3", "4"}
                                     << QStringList{"2026-03-01 08:00:00", "1", "2"};
    QTest::newRow("two columns, three fields") << "2026-03-01 08:00:00 7" << 2
                                               << QStringList{"2026-03-01", "08:00:00", "7"}
                                               << QStringList{"2026-03-01 08:00:00", "7"};
    QTest::newRow("as many fields as columns") << "a b c" << 3 << QStringList{"a", "b", "c"}
                                               << QStringList{"a", "b", "c"};
    QTest::newRow("short line") << "2026-03-01" << 3 << QStringList{"2026-03-01"} << QStringList{"2026-03-01"};
    QTest::newRow("separators only") << " ,\t,, \r" << 3 << QStringList() << QStringList();
    QTest::newRow("Chinese") << "2026-03-01 08:00:00 超温报警" << 2
                             << QStringList{"2026-03-01", "08:00:00", "超温报警"}
                             << QStringList{"2026-03-01 08:00:00", "超温报警"};
}

void TestHistoryExport::fields()
{
    QFETCH(QString, line);
    QFETCH(int, columns);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, row);
    QCOMPARE(splitFields(line), fields);
    QCOMPARE(fitRow(line, columns), row);
}

void TestHistoryExport::columns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("header names three") << "\nonly\n时间 温度 湿度\n2026-03-01 08:00:00 1 2" << 3;
    QTest::newRow("no line with two fields") << "a\n\nb" << 1;
    QTest::newRow("last line empty") << "a\n" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestHistoryExport::columns()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(countColumns(text), count);
}

// The file holds the text box's text in the system's codec, byte for byte, without a byte order mark.
void TestHistoryExport::csvIsTheTextBox()
{
    HistoryRig rig;
    QVERIFY(rig.instrument.isReady());
    queryRecords(rig, 60);
    QVERIFY(rig.text().contains(QStringLiteral("正常")));
    const QString path = rig.dir.filePath("records.csv");
    rig.prompter.nextFileName(path);
    QTest::mouseClick(rig.button("bntExportCSV"), Qt::LeftButton);
    QVERIFY(rig.prompter.shown.isEmpty());
    QCOMPARE(rig.prompter.fileDialogCaptions, QStringList{"导出历史数据"});
    const QByteArray bytes = rig.dir.readFile("records.csv");
    QCOMPARE(bytes, QTextCodec::codecForLocale()->fromUnicode(rig.text()));
    QCOMPARE(QTextCodec::codecForLocale()->toUnicode(bytes), rig.text());
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));

    // An empty text box gives an empty file; a cancelled file dialog gives none.
    rig.textBox()->clear();
    rig.prompter.nextFileName(path);
    QTest::mouseClick(rig.button("bntExportCSV"), Qt::LeftButton);
    QCOMPARE(QFileInfo(path).size(), 0);
    QTest::mouseClick(rig.button("bntExportCSV"), Qt::LeftButton);
    QTest::mouseClick(rig.button("bntExportPDF"), Qt::LeftButton);
    QVERIFY(rig.prompter.shown.isEmpty());
    QCOMPARE(QDir(rig.dir.path()).entryList({"*.pdf"}), QStringList());
}

void TestHistoryExport::refusedOrFailedExports_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("path"); // relative to the working directory unless absolute
    QTest::addColumn<QString>("message");
    const QString records = QStringLiteral("时间 温度\n2026-03-01 08:00:00 20.5\n");
    QTest::newRow("csv, no such folder") << "bntExportCSV" << records << "missing/x.csv" << "打开文件失败: %1";
    QTest::newRow("pdf, no such folder") << "bntExportPDF" << records << "missing/x.pdf" << "打开文件失败: %1";
    QTest::newRow("csv, full disk") << "bntExportCSV" << records << "/dev/full" << "写入文件失败: %1";
    QTest::newRow("pdf, full disk") << "bntExportPDF" << records << "/dev/full" << "写入文件失败: %1";
    QTest::newRow("pdf, empty text box") << "bntExportPDF" << QString() << "x.pdf" << "导出数据失败，数据格式错误";
    QTest::newRow("pdf, one field a line") << "bntExportPDF" << "a\nb\n\nc" << "x.pdf" << "导出数据失败，数据格式错误";
}

// Each says why under the export's title and leaves no file of its making.
void TestHistoryExport::refusedOrFailedExports()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QString, path);
    QFETCH(QString, message);
    HistoryRig rig;
    rig.textBox()->setPlainText(text);
    const QString target = QFileInfo(path).isAbsolute() ? path : rig.dir.filePath(path);
    rig.prompter.nextFileName(target);
    QTest::mouseClick(rig.button(qPrintable(button)), Qt::LeftButton);
    QCOMPARE(rig.prompter.shown.size(), 1);
    QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("导出历史数据"));
    QCOMPARE(rig.prompter.shown.at(0).text, message.contains("%1") ? message.arg(target) : message);
    if (target.startsWith(rig.dir.path()))
        QVERIFY(!QFile::exists(target));
    QVERIFY(QFile::exists(QStringLiteral("/dev/full")));
}

// The simulator's records as a table: the header and every record in cells, the Chinese status
// text included, in a font that has its glyphs.
void TestHistoryExport::pdfTableReadsBack()
{
    HistoryRig rig;
    QVERIFY(rig.instrument.isReady());
    queryRecords(rig, 30);
    const QString path = rig.dir.filePath("records.pdf");
    rig.prompter.nextFileName(path);
    QTest::mouseClick(rig.button("bntExportPDF"), Qt::LeftButton);
    QVERIFY(rig.prompter.shown.isEmpty());
    QCOMPARE(pageCount(path), 1);

    const QStringList rows = pageText(path, 1).split(QLatin1Char('\n'));
    const QStringList lines = rig.text().split(QLatin1Char('\n'));
    QCOMPARE(splitFields(rows.value(0)), splitFields(lines.at(0)));
    for (int i = 1; i <= 30; ++i) {
        const QStringList cells = fitRow(lines.at(i), 5);
        QVERIFY2(rows.filter(cells.at(0)).size() == 1, qPrintable(cells.at(0)));
        const QString row = rows.filter(cells.at(0)).first();
        QCOMPARE(splitFields(row), splitFields(lines.at(i)));
    }
    QVERIFY(pageText(path, 1).contains(QStringLiteral("正常")));
    QVERIFY(poppler(QStringLiteral("pdffonts"), {path}).contains(QStringLiteral("CJK")));
}

// Pages hold the same number of rows; a text that fills its last page exactly adds no empty page.
void TestHistoryExport::pageBreaks()
{
    HistoryRig rig;
    const QString path = rig.dir.filePath("numbers.pdf");
    rig.textBox()->setPlainText(numberedRecords(300));
    rig.prompter.nextFileName(path);
    QTest::mouseClick(rig.button("bntExportPDF"), Qt::LeftButton);
    // Row 0 is the header, so the last number on a page is one less than its rows.
    const QStringList firstPage = splitFields(pageText(path, 1));
    const int rows = firstPage.last().toInt() + 1;
    QVERIFY2(rows > 10 && rows < 300, qPrintable(QString::number(rows)));
    QCOMPARE(pageCount(path), (301 + rows - 1) / rows);
    QCOMPARE(splitFields(pageText(path, 2)).at(2).toInt(), rows);

    for (int lines : {2 * rows, 2 * rows + 1}) {
        rig.textBox()->setPlainText(numberedRecords(lines - 1));
        rig.prompter.nextFileName(path);
        QTest::mouseClick(rig.button("bntExportPDF"), Qt::LeftButton);
        QCOMPARE(pageCount(path), lines == 2 * rows ? 2 : 3);
    }
    QVERIFY(rig.prompter.shown.isEmpty());
}

void TestHistoryExport::fontTooTallForARow()
{
    WorkDir dir;
    QFont huge = HistoryExport::tableFont();
    huge.setPointSize(1500);
    const QString path = dir.filePath("tall.pdf");
    QCOMPARE(HistoryExport::exportPdf(QStringLiteral("时间 温度\n2026-03-01 08:00:00 20.5"), path, huge),
             QStringLiteral("导出数据失败，字体太大，一页放不下一行"));
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestHistoryExport)
#include "tst_historyexport.moc"
