// Labels: net pty
// zq-cli flash, run as the real program: a package into the simulator's loader over UDP and the pty,
// a package for another model, an unreadable package, and four instruments flashed in parallel.
#include "firmware/packagewriter.h"
#include "tests/support/clirun.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <memory>
#include <vector>

class TestCliFlash : public QObject
{
    Q_OBJECT
private slots:
    void flashWritesImage_data();
    void flashWritesImage();
    void flashWrongModelSendsNoPage();
    void flashWrongModelEndsAtOnce();
    void flashDowngrade_data();
    void flashDowngrade();
    void flashUnreadablePackageIsFileFailure();
    void flashFourInParallel();
};

namespace {

// The loader never answers EndUpdate: a short wait keeps each of its two requests brief.
const QString Timeout = QStringLiteral("300");

QByteArray testImage(int pages)
{
    QByteArray image;
    for (int i = 0; i < pages * 1024 - 100; ++i)
        image.append(char(i * 7 % 251));
    return image;
}

QString writePackage(WorkDir& dir, const QString& model, const QByteArray& image,
                     const QString& version = QStringLiteral("V2.2.0"))
{
    const QString path = dir.filePath(QStringLiteral("fw.zqbin"));
    const QString error =
        PackageWriter::write(path, PackageWriter::fields(QStringLiteral("ZQ温湿度记录仪"), model, version, image));
    return error.isEmpty() ? path : QString();
}

QStringList udpArguments(const SimFixture& instrument)
{
    return {QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort()),
            QStringLiteral("--address"), QString::number(instrument.sim()->deviceAddress())};
}

// Whether any request the instrument received was an EraseFlash (marker frame, code 2F AC).
bool eraseReached(const SimFixture& instrument)
{
    for (const QByteArray& frame : instrument.sim()->requestLog())
        if (frame.startsWith(QByteArray::fromHex("7E05022FAC")))
            return true;
    return false;
}

} // namespace

void TestCliFlash::flashWritesImage_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

void TestCliFlash::flashWritesImage()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    const QByteArray image = testImage(3);
    const QString package = writePackage(dir, QStringLiteral("ZQ-200"), image);
    QVERIFY(!package.isEmpty());
    QStringList arguments{QStringLiteral("flash"),     package,
                          QStringLiteral("--timeout"), Timeout,
                          QStringLiteral("--address"), QString::number(instrument.sim()->deviceAddress())};
    if (udp)
        arguments << QStringLiteral("--udp") << QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort());
    else
        arguments << QStringLiteral("--serial") << instrument.ptyPath() << QStringLiteral("--baud")
                  << QStringLiteral("115200");
    const CliRun run = runZqCli(arguments);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(instrument.sim()->receivedImage(), image);
    // The simulated instrument keeps its version row: the line shows what it reported afterwards.
    QCOMPARE(run.outLines(),
             (QStringList{QStringLiteral("固件更新成功!"), QStringLiteral("version: V2.1.7 -> V2.1.7")}));
    // Not on a terminal: progress comes as plain lines on standard error, naming each stage in
    // order and ending at 100%.
    QVERIFY2(run.err.trimmed().endsWith(QStringLiteral("100%")), qPrintable(run.err));
    int at = 0;
    for (const QString& stage :
         {QStringLiteral("第 1/4 步: 识别仪器"), QStringLiteral("第 2/4 步: 擦除仪器内存"),
          QStringLiteral("第 3/4 步: 写入第 1 / 3 页"), QStringLiteral("第 3/4 步: 写入第 3 / 3 页"),
          QStringLiteral("第 4/4 步: 结束更新, 等待仪器重启")}) {
        at = run.err.indexOf(stage, at);
        QVERIFY2(at >= 0, qPrintable(stage + QStringLiteral(" missing in order:\n") + run.err));
    }
}

void TestCliFlash::flashWrongModelSendsNoPage()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    const QString package = writePackage(dir, QStringLiteral("ZQ-900"), testImage(1));
    const CliRun run =
        runZqCli({QStringLiteral("flash"), package, QStringLiteral("--json"), QStringLiteral("--timeout"), Timeout,
                  QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort()),
                  QStringLiteral("--address"), QString::number(instrument.sim()->deviceAddress())});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains(QStringLiteral("固件更新失败,BIN文件与设备型号不一致!")), qPrintable(run.err));
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::EraseFlash), 0);
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::WritePage), 0);
    const QJsonObject result = QJsonDocument::fromJson(run.outLines().value(0).toUtf8()).object();
    QCOMPARE(result.value(QStringLiteral("model")).toString(), QStringLiteral("ZQ-900"));
    QCOMPARE(result.value(QStringLiteral("exit")).toInt(), 3);
}

// With the instrument's own waits, a refusal still ends at once: the loader does not answer
// EndUpdate, and the tool does not wait for it after a refusal.
void TestCliFlash::flashWrongModelEndsAtOnce()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    const QString package = writePackage(dir, QStringLiteral("ZQ-900"), testImage(1));
    const CliRun run = runZqCli(QStringList{QStringLiteral("flash"), package} + udpArguments(instrument), 5000);
    QVERIFY2(run.finished, qPrintable(run.err));
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains(QStringLiteral("仪器的型号: ZQ-200")), qPrintable(run.err));
    QVERIFY(!eraseReached(instrument));
    QVERIFY(!run.err.contains(QStringLiteral("第 4/4 步")));
}

void TestCliFlash::flashDowngrade_data()
{
    QTest::addColumn<bool>("allowed");
    QTest::newRow("refused") << false;
    QTest::newRow("allowed") << true;
}

void TestCliFlash::flashDowngrade()
{
    QFETCH(bool, allowed);
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setFlashedVersion(QStringLiteral("V1.1"), 200);
    const QByteArray image = testImage(2);
    QStringList arguments =
        QStringList{QStringLiteral("flash"), writePackage(dir, QStringLiteral("ZQ-200"), image, QStringLiteral("V1.1")),
                    QStringLiteral("--timeout"), Timeout}
        + udpArguments(instrument);
    if (allowed)
        arguments << QStringLiteral("--allow-downgrade");
    CliRun run = runZqCli(arguments);
    QVERIFY(run.finished);
    if (!allowed) {
        QCOMPARE(run.exitCode, 4);
        QVERIFY2(run.err.contains(QStringLiteral("--allow-downgrade")), qPrintable(run.err));
        QVERIFY(!eraseReached(instrument));
        return;
    }
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(instrument.sim()->receivedImage(), image);
    QVERIFY(run.outLines().contains(QStringLiteral("version: V2.1.7 -> V1.1")));
    run = runZqCli(arguments + QStringList{QStringLiteral("--json")});
    const QJsonObject result = QJsonDocument::fromJson(run.outLines().value(0).toUtf8()).object();
    QCOMPARE(result.value(QStringLiteral("oldVersion")).toString(), QStringLiteral("V1.1"));
    QCOMPARE(result.value(QStringLiteral("newVersion")).toString(), QStringLiteral("V1.1"));
}

void TestCliFlash::flashUnreadablePackageIsFileFailure()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    dir.writeFile(QStringLiteral("bad.zqbin"), "not a package");
    for (const QString& package : {QStringLiteral("bad.zqbin"), QStringLiteral("missing.zqbin")}) {
        const CliRun run = runZqCli({QStringLiteral("flash"), package, QStringLiteral("--udp"),
                                     QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort())});
        QCOMPARE(run.exitCode, 4);
        QVERIFY2(run.err.contains(QStringLiteral("解析文件失败")), qPrintable(run.err));
    }
    QCOMPARE(instrument.sim()->requestCount(), 0);
}

void TestCliFlash::flashFourInParallel()
{
    WorkDir dir;
    std::vector<std::unique_ptr<SimFixture>> instruments;
    QStringList arguments{QStringLiteral("flash"), QString(), QStringLiteral("--json"), QStringLiteral("--timeout"),
                          Timeout};
    for (int i = 0; i < 4; ++i) {
        instruments.push_back(std::make_unique<SimFixture>(false));
        QVERIFY(instruments.back()->isReady());
        // Each page takes a while, so that the transfers overlap for a measurable time.
        instruments.back()->sim()->addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::WritePage, -1, 40});
        arguments << QStringLiteral("--udp") << QStringLiteral("127.0.0.1:%1").arg(instruments.back()->udpPort());
    }
    arguments << QStringLiteral("--address") << QString::number(instruments.front()->sim()->deviceAddress());
    const QByteArray image = testImage(8);
    arguments[1] = writePackage(dir, QStringLiteral("ZQ-200"), image);
    const CliRun run = runZqCli(arguments);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    const QStringList lines = run.outLines();
    QCOMPARE(lines.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(instruments.at(size_t(i))->sim()->receivedImage(), image);
        const QJsonObject result = QJsonDocument::fromJson(lines.at(i).toUtf8()).object();
        QCOMPARE(result.value(QStringLiteral("instrument")).toString(),
                 QStringLiteral("127.0.0.1:%1").arg(instruments.at(size_t(i))->udpPort()));
        QVERIFY(result.value(QStringLiteral("ok")).toBool());
    }
    // Figures only; bench_cli compares the parallel run with a single one.
    qInfo("four instruments flashed in %lld ms", run.elapsedMs);
}

QTEST_GUILESS_MAIN(TestCliFlash)
#include "tst_cli_flash.moc"
