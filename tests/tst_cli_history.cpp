// Labels: net pty
// Runs apart: summaryOfTheRecords
// zq-cli's history, run as the real program against the simulator over UDP and over the pty: the
// records as they come, the dialog's CSV and PDF exports (the PDF without a display), a silent
// instrument and an export that cannot be written.
#include "sim/historygenerator.h"
#include "tests/support/clirun.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTextCodec>

class TestCliHistory : public QObject
{
    Q_OBJECT
private slots:
    void printsRecords_data();
    void printsRecords();
    void exportsCsvAndPdfWithoutDisplay();
    void tableCsvAndJsonFields();
    void summaryOfTheRecords();
    void failures_data();
    void failures();
};

namespace {

const QDate From(2026, 3, 1);
const QDate To(2026, 3, 2);
constexpr int Records = 40;

QStringList historyArguments(const SimFixture& instrument, bool udp)
{
    QStringList arguments{QStringLiteral("history"),
                          QStringLiteral("--from"),
                          From.toString(Qt::ISODate),
                          QStringLiteral("--to"),
                          To.toString(Qt::ISODate),
                          QStringLiteral("--address"),
                          QString::number(instrument.sim()->deviceAddress())};
    if (udp)
        return arguments << QStringLiteral("--udp") << QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort());
    return arguments << QStringLiteral("--serial") << instrument.ptyPath() << QStringLiteral("--baud")
                     << QStringLiteral("9600");
}

// The lines the simulator answers the query with, without their terminators.
QStringList expectedLines()
{
    const HistoryGenerator generator(From, To, Records);
    QStringList lines{HistoryGenerator::header().trimmed()};
    for (int i = 0; i < Records; ++i)
        lines.append(generator.record(i).trimmed());
    return lines;
}

QString poppler(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

void TestCliHistory::printsRecords_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

void TestCliHistory::printsRecords()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    instrument.sim()->setHistoryRecordCount(Records);
    const CliRun run = runZqCli(historyArguments(instrument, udp));
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.outLines(), expectedLines());
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::QueryHistory), 1);
}

void TestCliHistory::exportsCsvAndPdfWithoutDisplay()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setHistoryRecordCount(Records);
    // No display and no platform named: the PDF is still drawn, with fonts.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    const CliRun run = runZqCli(historyArguments(instrument, true)
                                << QStringLiteral("--csv") << QStringLiteral("h.csv") << QStringLiteral("--pdf")
                                << QStringLiteral("h.pdf") << QStringLiteral("--json"));
    qputenv("QT_QPA_PLATFORM", platform);
    if (!display.isEmpty())
        qputenv("DISPLAY", display);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));

    // One query serves both exports, and the CSV holds the text box's lines as the dialog saves them.
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::QueryHistory), 1);
    // The lines' own file is byte for byte what the instrument sent.
    HistoryGenerator generator(From, To, Records);
    QByteArray sent;
    for (QByteArray chunk = generator.next(4096); !chunk.isEmpty(); chunk = generator.next(4096))
        sent += chunk;
    QCOMPARE(dir.readFile(QStringLiteral("h.csv")), sent);
    const QJsonObject object = QJsonDocument::fromJson(run.outLines().value(0).toUtf8()).object();
    QCOMPARE(object.value(QStringLiteral("records")).toArray().size(), Records);
    QCOMPARE(object.value(QStringLiteral("count")).toInt(), Records);
    QCOMPARE(object.value(QStringLiteral("pdf")).toString(), QStringLiteral("h.pdf"));

    const QByteArray pdf = dir.readFile(QStringLiteral("h.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils are not installed; the PDF's text is not read back");
    const QString path = dir.filePath(QStringLiteral("h.pdf"));
    // The report's page (the summary, the chart), then the records.
    const QString firstPage = poppler(QStringLiteral("pdftotext"), {"-layout", "-f", "1", "-l", "1", path, "-"});
    QVERIFY2(firstPage.contains(QStringLiteral("统计")) && firstPage.contains(QStringLiteral("趋势")),
             qPrintable(firstPage));
    QVERIFY(firstPage.contains(QStringLiteral("温度(℃)")));
    const QString secondPage = poppler(QStringLiteral("pdftotext"), {"-layout", "-f", "2", "-l", "2", path, "-"});
    QVERIFY2(secondPage.contains(QStringLiteral("记录时间")), qPrintable(secondPage));
    QVERIFY(secondPage.contains(HistoryGenerator(From, To, Records).record(0).left(19)));
    QVERIFY(poppler(QStringLiteral("pdffonts"), {path}).contains(QStringLiteral("CJK")));
}

// --json gives each record's fields and the header's, and counts records; --csv-format table
// writes the dialog's table CSV, and a transfer cut inside a record exports the whole ones and
// ends as a link failure.
void TestCliHistory::tableCsvAndJsonFields()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setHistoryRecordCount(Records);
    instrument.sim()->setHistoryTail("2026-03-02 23:00:00 1");
    const CliRun run = runZqCli(historyArguments(instrument, true)
                                << QStringLiteral("--csv") << QStringLiteral("t.csv") << QStringLiteral("--csv-format")
                                << QStringLiteral("table") << QStringLiteral("--json"));
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("已收到 %1 条完整记录").arg(Records)), qPrintable(run.err));

    const QJsonObject object = QJsonDocument::fromJson(run.outLines().value(0).toUtf8()).object();
    QCOMPARE(object.value(QStringLiteral("count")).toInt(), Records);
    QCOMPARE(object.value(QStringLiteral("cutOff")).toBool(), true);
    const QJsonArray records = object.value(QStringLiteral("records")).toArray();
    QCOMPARE(records.size(), Records);
    const HistoryGenerator generator(From, To, Records);
    const QStringList first = generator.record(0).trimmed().split(QRegularExpression(QStringLiteral("[ ,]")));
    QCOMPARE(records.at(0).toArray().toVariantList().size(), first.size());
    QCOMPARE(records.at(0).toArray().at(0).toString(), first.at(0));
    QCOMPARE(records.at(0).toArray().last().toString(), first.last());
    QCOMPARE(object.value(QStringLiteral("columns")).toArray().at(0).toString(), QStringLiteral("记录时间"));

    const QByteArray bytes = dir.readFile(QStringLiteral("t.csv"));
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    QVERIFY2(lines.first().startsWith(QStringLiteral("日期,时间,温度(℃),")), qPrintable(lines.first()));
    QCOMPARE(lines.size(), 1 + Records + 1);
    QCOMPARE(lines.at(1), first.join(QLatin1Char(',')));
}

// --summary prints, instead of the records, one line per numeric column; with --json its figures
// as fields. Both equal what the test works out from the generator's records itself.
void TestCliHistory::summaryOfTheRecords()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setHistoryRecordCount(Records);
    const HistoryGenerator generator(From, To, Records);
    double least[3];
    double greatest[3];
    double sum[3] = {0, 0, 0};
    for (int i = 0; i < Records; ++i) {
        const QStringList values = generator.record(i).trimmed().section(QLatin1Char(' '), 2).split(QLatin1Char(','));
        for (int c = 0; c < 3; ++c) {
            const double v = values.at(c).toDouble();
            least[c] = i == 0 ? v : qMin(least[c], v);
            greatest[c] = i == 0 ? v : qMax(greatest[c], v);
            sum[c] += v;
        }
    }

    const CliRun text = runZqCli(historyArguments(instrument, true) << QStringLiteral("--summary"));
    QVERIFY2(text.finished && text.exitCode == 0, qPrintable(text.err));
    const QStringList lines = text.outLines();
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).startsWith(QStringLiteral("温度(℃): %1 条, 最小 %2 (").arg(Records).arg(least[0], 0, 'f', 1)),
             qPrintable(lines.at(0)));

    const CliRun json =
        runZqCli(historyArguments(instrument, true) << QStringLiteral("--summary") << QStringLiteral("--json"));
    QVERIFY2(json.finished && json.exitCode == 0, qPrintable(json.err));
    const QJsonArray summary =
        QJsonDocument::fromJson(json.outLines().value(0).toUtf8()).object().value(QStringLiteral("summary")).toArray();
    QCOMPARE(summary.size(), 3);
    for (int c = 0; c < 3; ++c) {
        const QJsonObject column = summary.at(c).toObject();
        QCOMPARE(column.value(QStringLiteral("count")).toInt(), Records);
        QCOMPARE(column.value(QStringLiteral("minimum")).toDouble(), least[c]);
        QCOMPARE(column.value(QStringLiteral("maximum")).toDouble(), greatest[c]);
        QVERIFY(qAbs(column.value(QStringLiteral("mean")).toDouble() - sum[c] / Records) < 1e-9);
    }
    QCOMPARE(summary.at(0).toObject().value(QStringLiteral("name")).toString(), QStringLiteral("温度(℃)"));
}

void TestCliHistory::failures_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("csv");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("silent instrument") << true << "h.csv" << 2 << "Query: Timed out";
    QTest::newRow("no such folder") << false << "missing/h.csv" << 4 << "Cannot open the file: missing/h.csv";
}

void TestCliHistory::failures()
{
    QFETCH(bool, silent);
    QFETCH(QString, csv);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    WorkDir dir;
    dir.copyTranslations();
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setHistoryRecordCount(3);
    if (silent)
        instrument.sim()->addFault({InstrumentSimulator::NoReply, InstrumentSimulator::QueryHistory, -1});
    const CliRun run = runZqCli(historyArguments(instrument, true)
                                << QStringLiteral("--csv") << csv << QStringLiteral("--timeout")
                                << QStringLiteral("150") << QStringLiteral("--lang") << QStringLiteral("en_US"));
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    // A failed query exports nothing: no empty file stands for records that never came.
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("h.csv"))));
}

QTEST_MAIN(TestCliHistory)
#include "tst_cli_history.moc"
