// Labels: net pty gui
// Runs apart: silentInstrument
#include "app/mainwindow.h"
#include "link/devicetext.h"
#include "tests/support/shorttimings.h"
#include "tst_historyrig.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>

// The history dialog's refusals, failures and closing, against the simulator over UDP and the pty.
class TestHistoryClose : public QObject
{
    Q_OBJECT
private slots:
    void endBeforeStartIsRefused();
    void equalDatesAreAccepted();
    void pacedSerialLine();
    void silentInstrument_data();
    void silentInstrument();
    void closeStopsTheTransfer_data();
    void closeStopsTheTransfer();
    void mainWindowOpensTheDialog();
};

namespace {

InstrumentSimulator::Fault silentHistory()
{
    InstrumentSimulator::Fault fault;
    fault.kind = InstrumentSimulator::NoReply;
    fault.command = InstrumentSimulator::QueryHistory;
    return fault;
}

} // namespace

void TestHistoryClose::endBeforeStartIsRefused()
{
    HistoryRig rig;
    QVERIFY(rig.instrument.isReady());
    rig.setLines(QStringLiteral("kept\n"));
    rig.query(QDate(2026, 3, 2), QDate(2026, 3, 1));
    QCOMPARE(rig.prompter.shown.size(), 1);
    QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("查询"));
    QCOMPARE(rig.prompter.shown.at(0).text, QStringLiteral("起始日期应该小于或等于结束日期"));
    QVERIFY(!rig.dialog->isQuerying());
    QTest::qWait(100);
    QCOMPARE(rig.queries(), 0);
    QCOMPARE(rig.text(), QStringLiteral("kept\n"));
}

void TestHistoryClose::equalDatesAreAccepted()
{
    HistoryRig rig;
    QVERIFY(rig.instrument.isReady());
    rig.sim()->setHistoryRecordCount(2);
    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 1));
    QVERIFY(rig.waitForRun());
    QCOMPARE(rig.queries(), 1);
    QCOMPARE(rig.text(), shownText(QDate(2026, 3, 1), QDate(2026, 3, 1), 2));
}

// At 9600 baud a 256-byte chunk takes a quarter of a second on the line: the records still arrive
// whole, and no sooner than the line can carry them.
void TestHistoryClose::pacedSerialLine()
{
    HistoryRig rig(Transport::Pty);
    QVERIFY(rig.instrument.isReady());
    rig.sim()->setLineRate(9600);
    rig.sim()->setHistoryRecordCount(12);
    QElapsedTimer clock;
    clock.start();
    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 1));
    QVERIFY(rig.waitForRun());
    const QString expected = shownText(QDate(2026, 3, 1), QDate(2026, 3, 1), 12);
    QCOMPARE(rig.text(), expected);
    const qint64 lineMs = qint64(encodeDeviceText(expected).size()) * 10 * 1000 / 9600;
    QVERIFY2(clock.elapsed() >= lineMs, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(rig.prompter.shown.isEmpty());
}

void TestHistoryClose::silentInstrument_data()
{
    addTransportRows();
}

// No answer: one box, and the text box, cleared when the link opened, stays empty.
void TestHistoryClose::silentInstrument()
{
    QFETCH(Transport, transport);
    HistoryRig rig(transport);
    QVERIFY(rig.instrument.isReady());
    rig.sim()->addFault(silentHistory());
    ShortTimings quick;
    rig.setLines(QStringLiteral("2026-02-01 00:00:00 left from an earlier query\n"));
    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 1));
    QVERIFY(rig.waitForRun());
    QTRY_COMPARE(rig.prompter.shown.size(), 1);
    QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("查询"));
    QCOMPARE(rig.prompter.shown.at(0).text, QStringLiteral("接受数据超时"));
    QCOMPARE(rig.text(), QString());
}

void TestHistoryClose::closeStopsTheTransfer_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<bool>("silent");
    QTest::newRow("udp, waiting for the first data") << Transport::Udp << true;
    QTest::newRow("pty, waiting for the first data") << Transport::Pty << true;
    QTest::newRow("udp, while records arrive") << Transport::Udp << false;
    QTest::newRow("pty, while records arrive") << Transport::Pty << false;
}

// Closing hides the dialog, stops the run and waits for it: no box, no thread left running, and no
// sitting out the 10 s first-data wait.
void TestHistoryClose::closeStopsTheTransfer()
{
    QFETCH(Transport, transport);
    QFETCH(bool, silent);
    HistoryRig rig(transport);
    QVERIFY(rig.instrument.isReady());
    if (silent)
        rig.sim()->addFault(silentHistory());
    rig.sim()->setHistoryRecordCount(5000);
    rig.sim()->setHistoryPace(24, 64, 10);
    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 1));
    QTRY_COMPARE(rig.queries(), 1);
    if (silent)
        QTest::qWait(200);
    else
        QTRY_VERIFY(rig.records().lineCount() >= 3);

    // Asked first, No by default: the query goes on.
    QVERIFY(!rig.dialog->close());
    QCOMPARE(rig.prompter.shown.size(), 1);
    QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("查询"));
    QVERIFY(rig.dialog->isVisible());
    QVERIFY(rig.dialog->isQuerying());

    rig.prompter.pressNext(QMessageBox::Yes);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(rig.dialog->close());
    const qint64 closeMs = clock.elapsed();
    QVERIFY(!rig.dialog->isVisible());
    QVERIFY(!rig.dialog->isQuerying());
    QVERIFY2(closeMs < 5000, qPrintable(QString::number(closeMs)));
    QCoreApplication::processEvents();
    QCOMPARE(rig.prompter.shown.size(), 2);
    if (!silent)
        QVERIFY(rig.records().lineCount() < 5000);
}

// The history action runs the dialog modally; Escape during a transfer ends both. The PDF made
// meanwhile names the instrument that the configuration read before it named.
void TestHistoryClose::mainWindowOpensTheDialog()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    instrument.sim()->setHistoryRecordCount(5000);
    instrument.sim()->setHistoryPace(24, 64, 10);
    MainWindow window;
    window.findChild<QAction*>(QStringLiteral("refresh"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!window.refreshThread().isRunning(), 8000);
    QCoreApplication::processEvents();
    const QString pdf = dir.filePath(QStringLiteral("named.pdf"));
    bool ranWhileOpen = false;
    prompter.answerNext([&](QDialog& dialog) {
        auto* history = qobject_cast<HistoryData*>(&dialog);
        if (!history)
            return int(QDialog::Rejected);
        history->show();
        QTest::mouseClick(history->findChild<QPushButton*>(QStringLiteral("bntQuery")), Qt::LeftButton);
        ranWhileOpen = QTest::qWaitFor([history] { return history->records().lineCount() > 3; });
        prompter.nextFileName(pdf);
        QTest::mouseClick(history->findChild<QPushButton*>(QStringLiteral("bntExportPDF")), Qt::LeftButton);
        prompter.pressNext(QMessageBox::Yes);
        QTest::keyClick(history, Qt::Key_Escape);
        ranWhileOpen = ranWhileOpen && !history->isQuerying() && !history->isVisible();
        return history->result();
    });
    window.findChild<QAction*>(QStringLiteral("debug"))->trigger();
    QCOMPARE(prompter.shown.size(), 2);
    QCOMPARE(prompter.shown.at(0).className, QStringLiteral("HistoryData"));
    QCOMPARE(prompter.shown.at(1).className, QStringLiteral("QMessageBox"));
    QCOMPARE(prompter.shown.at(0).title, QStringLiteral("历史数据"));
    QVERIFY(ranWhileOpen);
    QVERIFY(QFile::exists(pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished(8000))
        QSKIP("pdftotext is missing: bash scripts/install-deps.sh");
    QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("ZQ温湿度记录仪")));
}

QTEST_MAIN(TestHistoryClose)
#include "tst_historyclose.moc"
