// Labels: net gui
// Runs apart: pdfBands
#include "history/historyexport.h"
#include "history/recordstore.h"
#include "history/recordtable.h"
#include "history/texts/historytexts.h"
#include "tst_historyrig.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextCodec>

#include <algorithm>

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
    void csvRecordLines();
    void tableCsvReadsBack();
    void tableRows_data();
    void tableRows();
    void refusedOrFailedExports_data();
    void refusedOrFailedExports();
    void pdfTableReadsBack();
    void pdfBands();
    void pageBreaks();
    void lastPageNotPadded();
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

// The page's text as pdftotext reads it. The CJK font draws 页 and 至 with the same glyphs as two
// radicals, and the text layer names the radicals; they are read back as the characters drawn.
QString pageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    QString text = poppler(QStringLiteral("pdftotext"), {"-layout", "-f", number, "-l", number, pdf, "-"});
    return text.replace(QChar(0x2EDA), QChar(0x9875)).replace(QChar(0x2F84), QChar(0x81F3));
}

// Fills the dialog's text box by a query of the simulator over UDP.
void queryRecords(HistoryRig& rig, int count)
{
    rig.sim()->setHistoryRecordCount(count);
    rig.sim()->setHistoryPace(24, 4096, 1);
    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 1));
    QVERIFY(rig.waitForRun());
}

// What the simulator sends for a query: the header and the records, in its codec, with CR LF.
QByteArray sentBytes(const QDate& start, const QDate& end, int count)
{
    HistoryGenerator generator(start, end, count);
    QByteArray bytes;
    for (QByteArray chunk = generator.next(4096); !chunk.isEmpty(); chunk = generator.next(4096))
        bytes += chunk;
    return bytes;
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
    QTest::newRow("date and time joined")
        << "2026-03-01 08:00:00 20.5,61" << 3 << QStringList{"2026-03-01", "08:00:00", "20.5", "61"}
        << QStringList{"2026-03-01 08:00:00", "20.5", "61"};
    QTest::newRow("surplus dropped") << "2026-03-01\t08:00:00 ,1,2,3, 4" << 3
                                     << QStringList{"2026-03-01", "08:00:00", "1", "2", "3", "4"}
                                     << QStringList{"2026-03-01 08:00:00", "1", "2"};
    QTest::newRow("two columns, three fields")
        << "2026-03-01 08:00:00 7" << 2 << QStringList{"2026-03-01", "08:00:00", "7"}
        << QStringList{"2026-03-01 08:00:00", "7"};
    QTest::newRow("as many fields as columns")
        << "a b c" << 3 << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c"};
    QTest::newRow("short line") << "2026-03-01" << 3 << QStringList{"2026-03-01"} << QStringList{"2026-03-01"};
    QTest::newRow("separators only") << " ,\t,, \r" << 3 << QStringList() << QStringList();
    QTest::newRow("Chinese") << "2026-03-01 08:00:00 超温报警" << 2 << QStringList{"2026-03-01", "08:00:00", "超温报警"}
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

// Offered second, the record lines as they came: the system's codec, no byte order mark; a name
// typed without a suffix gets ".csv"; an empty dialog says there is nothing and asks for no file.
void TestHistoryExport::csvRecordLines()
{
    HistoryRig rig;
    QVERIFY(rig.instrument.isReady());
    queryRecords(rig, 60);
    QVERIFY(rig.text().contains(QStringLiteral("正常")));
    rig.prompter.nextFileName(rig.dir.filePath("records"), QStringLiteral("记录原文 (*.csv)"));
    QTest::mouseClick(rig.button("bntExportCSV"), Qt::LeftButton);
    QVERIFY(rig.prompter.shown.isEmpty());
    QCOMPARE(rig.prompter.fileDialogCaptions, QStringList{"导出历史数据"});
    QCOMPARE(rig.prompter.fileDialogFilters, QStringList{"表格 CSV (*.csv);;记录原文 (*.csv)"});
    // Byte for byte what the instrument sent: its codec, its CR LF.
    const QByteArray bytes = rig.dir.readFile("records.csv");
    QCOMPARE(bytes, sentBytes(QDate(2026, 3, 1), QDate(2026, 3, 1), 60));
    QVERIFY(bytes.contains("\r\n"));
    QCOMPARE(rig.text().count(QLatin1Char('\n')), 61);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));

    rig.dialog->slotClearText();
    QTest::mouseClick(rig.button("bntExportCSV"), Qt::LeftButton);
    QCOMPARE(rig.prompter.shown.size(), 1);
    QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("导出历史数据"));
    QCOMPARE(rig.prompter.shown.at(0).text, QStringLiteral("没有可导出的记录"));
    QCOMPARE(rig.prompter.fileDialogCaptions.size(), 1);
    // A cancelled file dialog writes nothing.
    rig.setLines(QStringLiteral("a b\n"));
    QTest::mouseClick(rig.button("bntExportCSV"), Qt::LeftButton);
    QTest::mouseClick(rig.button("bntExportPDF"), Qt::LeftButton);
    QCOMPARE(rig.prompter.shown.size(), 1);
    QCOMPARE(QDir(rig.dir.path()).entryList({"*.csv", "*.pdf"}), QStringList{"records.csv"});
}

// The table reads back with Python's csv module into the right columns: a date and a time column,
// each named, then one column per field under the header's names; Chinese and quotes survive.
void TestHistoryExport::tableCsvReadsBack()
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is missing");
    HistoryRig rig;
    QVERIFY(rig.instrument.isReady());
    queryRecords(rig, 30);
    rig.dialog->slotAddLines(QStringLiteral("2026-03-01 23:59:59 1.5,\"quoted\",状态\r\n"));
    rig.prompter.nextFileName(rig.dir.filePath("table.CSV"), QStringLiteral("表格 CSV (*.csv)"));
    QTest::mouseClick(rig.button("bntExportCSV"), Qt::LeftButton);
    QVERIFY(rig.prompter.shown.isEmpty());
    const QByteArray bytes = rig.dir.readFile("table.CSV");
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));

    QProcess reader;
    reader.start(python,
                 {"-c",
                  "import csv, json, sys\n"
                  "rows = list(csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline='')))\n"
                  "print(json.dumps(rows))",
                  rig.dir.filePath("table.CSV")});
    QVERIFY(reader.waitForFinished(8000));
    const QJsonArray rows = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    QCOMPARE(rows.size(), 1 + 30 + 1);
    const QStringList header = splitFields(HistoryGenerator::header());
    QCOMPARE(rows.at(0).toArray().size(), header.size() + 1);
    QCOMPARE(rows.at(0).toArray().at(0).toString(), QStringLiteral("日期"));
    QCOMPARE(rows.at(0).toArray().at(1).toString(), QStringLiteral("时间"));
    QCOMPARE(rows.at(0).toArray().at(2).toString(), header.at(1));
    for (int i = 0; i < 30; ++i) {
        QStringList cells;
        for (const QJsonValue& cell : rows.at(1 + i).toArray())
            cells.append(cell.toString());
        QCOMPARE(cells, splitFields(rig.records().line(1 + i)));
        QCOMPARE(cells.size(), header.size() + 1);
        QVERIFY(QDate::fromString(cells.at(0), Qt::ISODate).isValid());
        QVERIFY(QTime::fromString(cells.at(1), Qt::ISODate).isValid());
    }
    QCOMPARE(rows.last().toArray().at(3).toString(), QStringLiteral("\"quoted\""));
    QCOMPARE(rows.last().toArray().at(4).toString(), QStringLiteral("状态"));
}

void TestHistoryExport::tableRows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("header over date and time")
        << "时间 温度\n2026-03-01 08:00:00 20.5\n"
        << QList<QStringList>{{"时间", "", "温度"}, {"2026-03-01", "08:00:00", "20.5"}};
    QTest::newRow("header names both") << "日期 时间 温度\n2026-03-01 08:00:00 20.5\n"
                                       << QList<QStringList>{{"日期", "时间", "温度"},
                                                             {"2026-03-01", "08:00:00", "20.5"}};
    QTest::newRow("no header, blank lines dropped")
        << "\n2026-03-01 08:00:00 1\n ,\n2026-03-01 09:00:00 2,3\n"
        << QList<QStringList>{{"2026-03-01", "08:00:00", "1"}, {"2026-03-01", "09:00:00", "2", "3"}};
    QTest::newRow("header alone") << "时间 温度\n" << QList<QStringList>{{"时间", "温度"}};
}

void TestHistoryExport::tableRows()
{
    QFETCH(QString, text);
    QFETCH(QList<QStringList>, rows);
    QCOMPARE(HistoryExport::tableRows(RecordStore::fromText(text)), rows);
}

void TestHistoryExport::refusedOrFailedExports_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("path"); // relative to the working directory unless absolute
    QTest::addColumn<QString>("message");
    const QString records = QStringLiteral("时间 温度\n2026-03-01 08:00:00 20.5\n");
    QTest::newRow("csv, no such folder") << "bntExportCSV" << records << "missing/x.csv"
                                         << "打开文件失败: %1";
    QTest::newRow("csv, empty") << "bntExportCSV" << QString() << "x.csv"
                                << "没有可导出的记录";
    QTest::newRow("pdf, no such folder") << "bntExportPDF" << records << "missing/x.pdf"
                                         << "打开文件失败: %1";
    QTest::newRow("csv, full disk") << "bntExportCSV" << records << "/dev/full"
                                    << "写入文件失败: %1";
    QTest::newRow("pdf, full disk") << "bntExportPDF" << records << "/dev/full"
                                    << "写入文件失败: %1";
    QTest::newRow("pdf, no lines") << "bntExportPDF" << QString() << "x.pdf"
                                   << "导出数据失败，数据格式错误";
    QTest::newRow("pdf, one field a line") << "bntExportPDF"
                                           << "a\nb\n\nc"
                                           << "x.pdf"
                                           << "导出数据失败，数据格式错误";
}

// Each says why under the export's title and leaves no file of its making.
void TestHistoryExport::refusedOrFailedExports()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QString, path);
    QFETCH(QString, message);
    HistoryRig rig;
    rig.setLines(text);
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
    rig.prompter.nextFileName(rig.dir.filePath("records"));
    QTest::mouseClick(rig.button("bntExportPDF"), Qt::LeftButton);
    QVERIFY(rig.prompter.shown.isEmpty());
    const QString path = rig.dir.filePath("records.pdf");
    // The report's first page, then the records' one.
    QCOMPARE(pageCount(path), 2);

    const QStringList rows = pageText(path, 2).split(QLatin1Char('\n'));
    const QStringList header = splitFields(rig.records().line(0));
    QVERIFY(std::any_of(rows.begin(), rows.end(), [&](const QString& row) { return splitFields(row) == header; }));
    for (int i = 1; i <= 30; ++i) {
        const QStringList cells = fitRow(rig.records().line(i), 5);
        QVERIFY2(rows.filter(cells.at(0)).size() == 1, qPrintable(cells.at(0)));
        const QString row = rows.filter(cells.at(0)).first();
        QCOMPARE(splitFields(row), splitFields(rig.records().line(i)));
    }
    QVERIFY(pageText(path, 2).contains(QStringLiteral("正常")));
    QVERIFY(poppler(QStringLiteral("pdffonts"), {path}).contains(QStringLiteral("CJK")));
}

// Above each table the instrument, the dates asked for and the export time; below it the page and
// the page count; the header line heads every page.
void TestHistoryExport::pdfBands()
{
    WorkDir dir;
    const QString path = dir.filePath("bands.pdf");
    PdfHeading heading;
    heading.instrument = QStringLiteral("ZQ温湿度记录仪");
    heading.model = QStringLiteral("ZQ-200");
    heading.serial = QStringLiteral("ZQ2026120700042");
    heading.from = QDate(2026, 3, 1);
    heading.to = QDate(2026, 3, 31);
    heading.exportedAt = QDateTime(QDate(2026, 4, 2), QTime(9, 30));
    QCOMPARE(HistoryExport::exportPdf(RecordStore::fromText(numberedRecords(200)), path, heading, reportTexts()),
             ExportFailure::None);
    const int pages = pageCount(path);
    QVERIFY(pages >= 3);
    QCOMPARE(pages,
             1 + HistoryExport::recordPages(RecordStore::fromText(numberedRecords(200)), HistoryExport::tableFont()));
    int number = 0;
    for (int page = 1; page <= pages; ++page) {
        const QString text = pageText(path, page);
        // pdftotext loses digits that follow Latin letters in this font; the page shows them.
        QVERIFY2(text.contains(
                     QRegularExpression(QStringLiteral("历史数据\\s+ZQ温湿度记录仪\\s+型号 ZQ-\\d*\\s+序列号 ZQ"))),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("2026-03-01 至 2026-03-31")));
        QVERIFY(text.contains(QStringLiteral("导出于 2026-04-02 09:30")));
        // pdftotext keeps no blanks between Chinese characters and digits.
        QVERIFY(QString(text).remove(QLatin1Char(' ')).contains(QStringLiteral("第%1页/共%2页").arg(page).arg(pages)));
        if (page == 1) {
            // The summary of the one numeric column: 200 numbers from 1 to 200, mean 100.5.
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral(
                         "序号\\s+200\\s+1\\s+2026-03-01 00:00:00\\s+200\\s+2026-03-01 00:00:00\\s+100.5"))),
                     qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("趋势")));
            continue;
        }
        const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const int headerAt = lines.indexOf(QRegularExpression(QStringLiteral("^\\s*时间\\s+序号\\s*$")));
        QVERIFY2(headerAt >= 0, qPrintable(text));
        // The numbers carry on from page to page, each once.
        for (int i = headerAt + 1; i < lines.size(); ++i) {
            const QStringList cells = splitFields(lines.at(i));
            if (cells.size() == 3 && RecordStore::isRecord(lines.at(i)))
                QCOMPARE(cells.at(2).toInt(), ++number);
        }
    }
    QCOMPARE(number, 200);
}

// Pages hold the same number of rows, the first of each the header; a text that fills its last
// page exactly adds no empty page.
void TestHistoryExport::pageBreaks()
{
    WorkDir dir;
    const QString path = dir.filePath("numbers.pdf");
    const ReportTexts texts = reportTexts();
    QCOMPARE(HistoryExport::exportPdf(RecordStore::fromText(numberedRecords(300)), path, PdfHeading(), texts),
             ExportFailure::None);
    // Row 0 is the header, the records fill the other rows.
    const int rows = pageText(path, 2).count(QStringLiteral("2026-03-01 00:00:00")) + 1;
    QVERIFY2(rows > 10 && rows < 300, qPrintable(QString::number(rows)));
    QCOMPARE(pageCount(path), 1 + (300 + rows - 2) / (rows - 1));
    const QStringList thirdPage = splitFields(pageText(path, 3));
    QCOMPARE(thirdPage.mid(thirdPage.indexOf(QStringLiteral("序号")) + 1, 3),
             (QStringList{"2026-03-01", "00:00:00", QString::number(rows)}));

    for (int records : {2 * (rows - 1), 2 * (rows - 1) + 1}) {
        QCOMPARE(HistoryExport::exportPdf(RecordStore::fromText(numberedRecords(records)), path, PdfHeading(), texts),
                 ExportFailure::None);
        QCOMPARE(pageCount(path), records == 2 * (rows - 1) ? 3 : 4);
    }
}

// The last page is ruled only as far as it holds records: no empty ruled rows below them.
void TestHistoryExport::lastPageNotPadded()
{
    WorkDir dir;
    const QString path = dir.filePath("short.pdf");
    QCOMPARE(HistoryExport::exportPdf(RecordStore::fromText(numberedRecords(3)), path, PdfHeading(), reportTexts()),
             ExportFailure::None);
    QCOMPARE(pageCount(path), 2);
    // The page's ink ends below the fourth row: render it and find the lowest ruled line.
    const QString png = dir.filePath("short");
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {"-f", "2", "-l", "2", "-r", "40", "-gray", "-png", path, png});
    QVERIFY(render.waitForFinished(8000));
    QImage page(dir.filePath("short-2.png"));
    QVERIFY(!page.isNull());
    int lowestDark = -1;
    // Above the page-number band: the last tenth of the page.
    for (int y = 0; y < page.height() * 9 / 10; ++y) {
        int dark = 0;
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
        if (dark > page.width() / 2)
            lowestDark = y;
    }
    QVERIFY(lowestDark > 0);
    QVERIFY2(lowestDark < page.height() / 4, qPrintable(QString::number(lowestDark)));
}

void TestHistoryExport::fontTooTallForARow()
{
    WorkDir dir;
    QFont huge = HistoryExport::tableFont();
    huge.setPointSize(1500);
    const QString path = dir.filePath("tall.pdf");
    QCOMPARE(HistoryExport::exportPdf(RecordStore::fromText(QStringLiteral("时间 温度\n2026-03-01 08:00:00 20.5")),
                                      path, PdfHeading(), reportTexts(), huge),
             ExportFailure::FontTooLarge);
    QCOMPARE(exportFailureText(ExportFailure::FontTooLarge, path),
             QStringLiteral("导出数据失败，字体太大，一页放不下一行"));
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestHistoryExport)
#include "tst_historyexport.moc"
