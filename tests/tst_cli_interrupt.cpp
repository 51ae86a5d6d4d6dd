// Labels: net pty
// A zq-cli write stopped by SIGTERM or Ctrl-C: the item in flight is finished, the items written
// and not written are named (also in JSON), the exit status says "interrupted", and the values
// held before were backed up first, as the window does.
#include "sim/itemstore.h"
#include "tests/support/clirun.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <csignal>

class TestCliInterrupt : public QObject
{
    Q_OBJECT
private slots:
    void signalStopsWriteBetweenItems_data();
    void signalStopsWriteBetweenItems();
};

namespace {

const QStringList Rows{QStringLiteral("04. 设备编号,7"),   QStringLiteral("10. 采样间隔,31s"),
                       QStringLiteral("11. 记录间隔,61s"), QStringLiteral("12. 报警上限,41"),
                       QStringLiteral("13. 报警下限,-9"),  QStringLiteral("14. 温度补偿,0.5")};

QByteArray csvFile(const QStringList& lines)
{
    return "\xEF\xBB\xBF" + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

} // namespace

void TestCliInterrupt::signalStopsWriteBetweenItems_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("json");
    QTest::newRow("udp, SIGTERM") << true << int(SIGTERM) << false;
    QTest::newRow("pty, SIGINT, json") << false << int(SIGINT) << true;
}

void TestCliInterrupt::signalStopsWriteBetweenItems()
{
    QFETCH(bool, udp);
    QFETCH(int, signal);
    QFETCH(bool, json);
    WorkDir dir;
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    const QStringList before = instrument.sim()->items();
    // Slow answers, so that the signal comes while an item is in flight.
    instrument.sim()->addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::WriteItem, -1, 300});
    dir.writeFile(QStringLiteral("ref.csv"), csvFile(Rows));

    QStringList arguments{QStringLiteral("write"), QStringLiteral("ref.csv"), QStringLiteral("--address"),
                          QString::number(instrument.sim()->deviceAddress())};
    if (udp)
        arguments << QStringLiteral("--udp") << QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort());
    else
        arguments << QStringLiteral("--serial") << instrument.ptyPath() << QStringLiteral("--baud")
                  << QStringLiteral("9600");
    if (json)
        arguments << QStringLiteral("--json");
    QProcess process;
    process.start(QStringLiteral(ZQ_BIN_DIR "/zq-cli"), arguments);
    QVERIFY(QTest::qWaitFor([&] { return instrument.sim()->requestCount(InstrumentSimulator::WriteItem) >= 2; }, 8000));
    ::kill(pid_t(process.processId()), signal);
    QVERIFY(process.waitForFinished(8000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), 5);

    // The item in flight was finished and counts; none went out after it.
    const int sent = instrument.sim()->requestCount(InstrumentSimulator::WriteItem);
    QVERIFY2(sent >= 2 && sent < Rows.size(), qPrintable(QString::number(sent)));
    int changed = 0;
    for (const QString& item : instrument.sim()->items()) {
        // The instrument's clock runs on by itself; no write changed it.
        if (!item.startsWith(ItemStore::ClockItemName + QLatin1Char(':')))
            changed += before.contains(item) ? 0 : 1;
    }
    QCOMPARE(changed, sent);
    QVERIFY2(err.contains(QStringLiteral("写入已中断: 已写入 %1 项, 未写入 %2 项").arg(sent).arg(Rows.size() - sent)),
             qPrintable(err));
    if (json) {
        const QJsonObject object = QJsonDocument::fromJson(out.trimmed().toUtf8()).object();
        QCOMPARE(object.value(QStringLiteral("exit")).toInt(), 5);
        QCOMPARE(object.value(QStringLiteral("interrupted")).toBool(), true);
        QCOMPARE(object.value(QStringLiteral("written")).toArray().size(), sent);
        QCOMPARE(object.value(QStringLiteral("not_written")).toArray().size(), Rows.size() - sent);
    } else {
        QVERIFY2(out.contains(QStringLiteral("未写入: ")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("06. 温度补偿")), qPrintable(out));
    }
    // The values held before the write were saved first.
    const QStringList backups = QDir(dir.filePath(QStringLiteral("Backups"))).entryList({QStringLiteral("*.csv")});
    QCOMPARE(backups.size(), 1);
    const QByteArray backup = dir.readFile(QStringLiteral("Backups/") + backups.first());
    QVERIFY2(backup.contains("04. 设备编号, 1"), backup.constData());
}

QTEST_MAIN(TestCliInterrupt)
#include "tst_cli_interrupt.moc"
