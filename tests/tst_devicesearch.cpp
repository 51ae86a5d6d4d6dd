// Labels: net gui root
// Root-only: acrossNetworkNamespaces
#include "setup/devicesearch.h"
#include "setup/searchtargets.h"
#include "setup/ui/searchdevicedialog.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"
#include "tests/support/ui/environmentskip.h"
#include "tests/support/ui/scriptedprompter.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QNetworkDatagram>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <optional>

Q_DECLARE_METATYPE(SearchFailure)
Q_DECLARE_METATYPE(QHostAddress)

namespace {

// An instrument on its own thread: its link on address (a free port) and its search answerer on
// address:probePort, which answers the probe with name from the link's port.
class Instrument
{
public:
    Instrument(const QHostAddress& address, quint16 probePort, const QString& name)
    {
        ready = host.start() && host.listenUdp(address, 0) && host.listenProbe(address, probePort, name);
    }

    bool ready = false;
    quint16 probePort() const { return host.simulator()->probePort(); }
    quint16 linkPort() const { return host.simulator()->udpPort(); }

private:
    SimulatorHost host;
};

SearchTargets loopbackTargets(const QList<QHostAddress>& destinations, quint16 port, int windowMs = 300)
{
    SearchTargets targets;
    targets.destinations = destinations;
    targets.probePort = port;
    targets.replyWindowMs = windowMs;
    return targets;
}

// Installs search targets for one test and puts the silent default for tests back afterwards.
struct InstalledTargets
{
    explicit InstalledTargets(const SearchTargets& targets) { SearchTargets::install(&targets); }
    ~InstalledTargets();
};

// A destination where nothing answers, so no test can ever fall back to the real broadcasts.
SearchTargets silentTargets()
{
    return loopbackTargets({QHostAddress(QStringLiteral("127.0.0.9"))}, 9, 300);
}

InstalledTargets::~InstalledTargets()
{
    const SearchTargets silent = silentTargets();
    SearchTargets::install(&silent);
}

QPushButton* button(QDialog& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

QListWidget* list(QDialog& dialog)
{
    return dialog.findChild<QListWidget*>(QStringLiteral("listWidget"));
}

QStringList lines(QDialog& dialog)
{
    QStringList shown;
    for (int row = 0; row < list(dialog)->count(); ++row)
        shown.append(list(dialog)->item(row)->text());
    return shown;
}

QString status(QDialog& dialog)
{
    return dialog.findChild<QLabel*>(QStringLiteral("labStatus"))->text();
}

// A search that would not end by itself within any test: only stopping it ends it.
SearchTargets endlessTargets(quint16 port = 9)
{
    SearchTargets targets;
    targets.destinations = {QHostAddress(QStringLiteral("127.0.0.1"))};
    targets.probePort = port;
    targets.replyWindowMs = 600000;
    return targets;
}

// Presses Search and waits until the thread has ended and its last signal has arrived.
bool searchAndWait(SearchDeviceDialog& dialog)
{
    button(dialog, "bntSearch")->click();
    return QTest::qWaitFor(
        [&] { return !dialog.searchThread().isRunning() && button(dialog, "bntSearch")->isEnabled(); }, 20000);
}

bool runCommand(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Two network namespaces joined by a veth pair on a documentation subnet; removed with the object.
class NamespacePair
{
public:
    NamespacePair()
    {
        const QString id = QString::number(QCoreApplication::applicationPid());
        searcher = QStringLiteral("zqsearch") + id;
        instrument = QStringLiteral("zqinstr") + id;
        const QString searcherLink = QStringLiteral("zqs") + id;
        const QString instrumentLink = QStringLiteral("zqi") + id;
        ok = ip({"netns", "add", searcher}) && ip({"netns", "add", instrument})
            && ip({"link", "add", searcherLink, "netns", searcher, "type", "veth", "peer", "name", instrumentLink,
                   "netns", instrument})
            && ip({"-n", searcher, "addr", "add", "192.0.2.1/24", "broadcast", "192.0.2.255", "dev", searcherLink})
            && ip({"-n", instrument, "addr", "add", "192.0.2.2/24", "broadcast", "192.0.2.255", "dev", instrumentLink})
            && ip({"-n", searcher, "link", "set", searcherLink, "up"})
            && ip({"-n", instrument, "link", "set", instrumentLink, "up"});
    }

    ~NamespacePair()
    {
        // Removing a namespace removes its end of the veth pair, and with it the other end.
        ip({"netns", "del", searcher});
        ip({"netns", "del", instrument});
    }

    static bool ip(const QStringList& arguments) { return runCommand(QStringLiteral("ip"), arguments); }

    bool ok = false;
    QString searcher;
    QString instrument;
};

// Moves the calling thread into a network namespace for its lifetime; threads started meanwhile stay there.
class EnteredNamespace
{
public:
    explicit EnteredNamespace(const QString& name)
    {
        home = ::open("/proc/thread-self/ns/net", O_RDONLY);
        const int fd = ::open(QFile::encodeName("/var/run/netns/" + name).constData(), O_RDONLY);
        entered = home >= 0 && fd >= 0 && ::setns(fd, CLONE_NEWNET) == 0;
        if (fd >= 0)
            ::close(fd);
    }
    ~EnteredNamespace()
    {
        if (entered && ::setns(home, CLONE_NEWNET) != 0)
            qFatal("cannot return to the test's own network namespace");
        if (home >= 0)
            ::close(home);
    }
    bool entered = false;

private:
    int home = -1;
};

} // namespace

class TestDeviceSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void twoInstrumentsMakeTwoLines();
    void answers_data();
    void answers();
    void okOnlyWithSelection();
    void searchStartsWhenOpened();
    void doubleClickAcceptsAtOnce();
    void secondSearchClearsTheList();
    void endingARunningSearch_data();
    void endingARunningSearch();
    void destroyedWhileSearching();
    void floodingHostCannotHoldTheSearch();
    void searchWithoutAnswers_data();
    void searchWithoutAnswers();
    void acrossNetworkNamespaces();
};

void TestDeviceSearch::initTestCase()
{
    // From the first test on, no search may reach the machine's real broadcast addresses.
    const SearchTargets silent = silentTargets();
    SearchTargets::install(&silent);
}

void TestDeviceSearch::cleanupTestCase()
{
    // Still silent: a dialog left open would search again.
    initTestCase();
}

void TestDeviceSearch::twoInstrumentsMakeTwoLines()
{
    Instrument first(QHostAddress(QStringLiteral("127.0.0.1")), 0, "ZQ-200");
    QVERIFY(first.ready);
    Instrument second(QHostAddress(QStringLiteral("127.0.0.2")), first.probePort(), "ZQ-200");
    QVERIFY(second.ready);
    InstalledTargets targets(loopbackTargets(
        {QHostAddress(QStringLiteral("127.0.0.1")), QHostAddress(QStringLiteral("127.0.0.2"))}, first.probePort()));

    SearchDeviceDialog dialog;
    QVERIFY(searchAndWait(dialog));

    // Two instruments of one name stay two entries, each with its own address and link port.
    QCOMPARE(lines(dialog),
             (QStringList{QStringLiteral("ZQ-200    地址 127.0.0.1    端口 %1").arg(first.linkPort()),
                          QStringLiteral("ZQ-200    地址 127.0.0.2    端口 %1").arg(second.linkPort())}));
    QCOMPARE(status(dialog), QStringLiteral("找到 2 台设备"));
    list(dialog)->setCurrentRow(1);
    button(dialog, "bntOk")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedAddress, QHostAddress(QStringLiteral("127.0.0.2")));
    QCOMPARE(dialog.selectedPort, quint16(second.linkPort()));
}

void TestDeviceSearch::answers_data()
{
    // %1 stands for the instrument's link port.
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("status");
    const QString found = QStringLiteral("找到 1 台设备");
    QTest::newRow("name") << "ZQ-100" << QStringList{"ZQ-100    地址 127.0.0.1    端口 %1"} << found;
    QTest::newRow("trimmed") << " \tZQ 100\r\n" << QStringList{"ZQ 100    地址 127.0.0.1    端口 %1"} << found;
    QTest::newRow("chinese name, sent as gb2312")
        << QStringLiteral("测试仪") << QStringList{QStringLiteral("测试仪    地址 127.0.0.1    端口 %1")} << found;
    QTest::newRow("blanks give a line without name") << "   " << QStringList{"地址 127.0.0.1    端口 %1"} << found;
    QTest::newRow("empty datagram gives none") << "" << QStringList{} << QStringLiteral("未找到设备");
}

void TestDeviceSearch::answers()
{
    QFETCH(QString, answer);
    QFETCH(QStringList, lines);
    QFETCH(QString, status);
    Instrument instrument(QHostAddress(QStringLiteral("127.0.0.1")), 0, answer);
    QVERIFY(instrument.ready);
    InstalledTargets targets(loopbackTargets({QHostAddress(QStringLiteral("127.0.0.1"))}, instrument.probePort()));

    SearchDeviceDialog dialog;
    QVERIFY(searchAndWait(dialog));
    for (QString& line : lines)
        line = line.arg(instrument.linkPort());
    QCOMPARE(::lines(dialog), lines);
    QCOMPARE(::status(dialog), status);

    // Even a line without a name is an instrument that can be chosen.
    if (!lines.isEmpty()) {
        list(dialog)->setCurrentRow(0);
        button(dialog, "bntOk")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.selectedAddress, QHostAddress(QStringLiteral("127.0.0.1")));
        QCOMPARE(dialog.selectedPort, quint16(instrument.linkPort()));
    }
}

void TestDeviceSearch::okOnlyWithSelection()
{
    ScriptedPrompter prompter;
    Instrument instrument(QHostAddress(QStringLiteral("127.0.0.1")), 0, "ZQ-100");
    QVERIFY(instrument.ready);
    InstalledTargets targets(loopbackTargets({QHostAddress(QStringLiteral("127.0.0.1"))}, instrument.probePort()));
    SearchDeviceDialog dialog;

    // Nothing listed yet, then a list with no current line: OK cannot be pressed.
    QVERIFY(!button(dialog, "bntOk")->isEnabled());
    QVERIFY(searchAndWait(dialog));
    QCOMPARE(list(dialog)->count(), 1);
    QVERIFY(!button(dialog, "bntOk")->isEnabled());
    list(dialog)->setCurrentRow(0);
    QVERIFY(button(dialog, "bntOk")->isEnabled());
    list(dialog)->setCurrentItem(nullptr);
    QVERIFY(!button(dialog, "bntOk")->isEnabled());
    list(dialog)->setCurrentRow(0);
    list(dialog)->clearSelection();
    QVERIFY(!button(dialog, "bntOk")->isEnabled());

    // Committing without a chosen line anyway (Enter) keeps the dialog open with a message.
    list(dialog)->setCurrentItem(nullptr);
    dialog.slotCommit();
    QCOMPARE(prompter.texts(), QStringList{"请选择设备"});
    QCOMPARE(prompter.shown.first().title, QStringLiteral("查找设备"));
    QCOMPARE(dialog.result(), 0);
    QVERIFY(dialog.selectedAddress.isNull());
}

void TestDeviceSearch::searchStartsWhenOpened()
{
    Instrument instrument(QHostAddress(QStringLiteral("127.0.0.1")), 0, "ZQ-100");
    QVERIFY(instrument.ready);
    InstalledTargets targets(loopbackTargets({QHostAddress(QStringLiteral("127.0.0.1"))}, instrument.probePort()));
    SearchDeviceDialog dialog;
    QVERIFY(!dialog.searchThread().isRunning());
    dialog.show();
    QVERIFY(QTest::qWaitFor([&] { return list(dialog)->count() == 1; }, 10000));
    QVERIFY(QTest::qWaitFor([&] { return status(dialog) == QStringLiteral("找到 1 台设备"); }, 10000));
    // Showing it again (after a hide) does not start another search by itself.
    dialog.hide();
    dialog.show();
    QVERIFY(!dialog.searchThread().isRunning());
    QCOMPARE(list(dialog)->count(), 1);
}

void TestDeviceSearch::doubleClickAcceptsAtOnce()
{
    Instrument instrument(QHostAddress(QStringLiteral("127.0.0.3")), 0, "ZQ-300");
    QVERIFY(instrument.ready);
    InstalledTargets targets(loopbackTargets({QHostAddress(QStringLiteral("127.0.0.3"))}, instrument.probePort()));
    SearchDeviceDialog dialog;
    dialog.show();
    QVERIFY(searchAndWait(dialog));
    QListWidget* lines = list(dialog);
    QCOMPARE(lines->count(), 1);
    const QRect cell = lines->visualItemRect(lines->item(0));
    QTest::mouseClick(lines->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(lines->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedAddress, QHostAddress(QStringLiteral("127.0.0.3")));
    QCOMPARE(dialog.selectedPort, quint16(instrument.linkPort()));
}

void TestDeviceSearch::secondSearchClearsTheList()
{
    auto instrument = std::make_unique<Instrument>(QHostAddress(QStringLiteral("127.0.0.1")), 0, "ZQ-100");
    QVERIFY(instrument->ready);
    InstalledTargets targets(loopbackTargets({QHostAddress(QStringLiteral("127.0.0.1"))}, instrument->probePort()));
    SearchDeviceDialog dialog;
    QVERIFY(searchAndWait(dialog));
    QCOMPARE(list(dialog)->count(), 1);
    list(dialog)->setCurrentRow(0);

    // The instrument is gone: the second search ends empty instead of keeping the old line.
    instrument.reset();
    QVERIFY(searchAndWait(dialog));
    QCOMPARE(list(dialog)->count(), 0);
    QCOMPARE(status(dialog), QStringLiteral("未找到设备"));
    QVERIFY(!button(dialog, "bntOk")->isEnabled());
}

void TestDeviceSearch::endingARunningSearch_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("Cancel") << "cancel" << int(QDialog::Rejected);
    QTest::newRow("Escape") << "escape" << int(QDialog::Rejected);
    QTest::newRow("OK on an answer found so far") << "ok" << int(QDialog::Accepted);
}

// The instrument answers at once and the search then listens far longer than any test: the
// operator ends it with Cancel, Escape or OK on what was found, and it ends within a second.
void TestDeviceSearch::endingARunningSearch()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    Instrument instrument(QHostAddress(QStringLiteral("127.0.0.1")), 0, "ZQ-100");
    QVERIFY(instrument.ready);
    InstalledTargets targets(endlessTargets(instrument.probePort()));
    SearchDeviceDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(QTest::qWaitFor([&] { return list(dialog)->count() == 1; }, 10000));
    QVERIFY(dialog.searchThread().isRunning());
    QVERIFY(!button(dialog, "bntSearch")->isEnabled());
    QVERIFY(button(dialog, "bntCancel")->isEnabled());
    QCOMPARE(status(dialog), QStringLiteral("正在查找设备..."));

    QElapsedTimer timer;
    timer.start();
    if (how == QLatin1String("cancel")) {
        button(dialog, "bntCancel")->click();
    } else if (how == QLatin1String("escape")) {
        QTest::keyClick(&dialog, Qt::Key_Escape);
    } else {
        list(dialog)->setCurrentRow(0);
        button(dialog, "bntOk")->click();
    }
    // Nothing is left running behind the closed dialog.
    QVERIFY(dialog.searchThread().isFinished());
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), result);
    QCOMPARE(dialog.selectedPort, result == QDialog::Accepted ? instrument.linkPort() : quint16(0));
}

void TestDeviceSearch::destroyedWhileSearching()
{
    // A window far longer than the test: destroying the dialog must stop and wait for its thread.
    InstalledTargets targets(loopbackTargets({QHostAddress(QStringLiteral("127.0.0.9"))}, 9, 600000));
    auto dialog = std::make_unique<SearchDeviceDialog>();
    button(*dialog, "bntSearch")->click();
    QVERIFY(dialog->searchThread().isRunning());
    QElapsedTimer timer;
    timer.start();
    dialog.reset();
    QVERIFY(timer.elapsed() < 10000);
}

// A host that answers the probe again and again: the window is counted from the probe, so the
// search ends with it whatever keeps arriving.
void TestDeviceSearch::floodingHostCannotHoldTheSearch()
{
    QUdpSocket flooder;
    QVERIFY(flooder.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    QNetworkDatagram probe;
    QTimer flood;
    flood.setInterval(2);
    connect(&flooder, &QUdpSocket::readyRead, &flood, [&] {
        probe = flooder.receiveDatagram();
        flood.start();
    });
    connect(&flood, &QTimer::timeout, &flooder, [&] {
        for (int i = 0; i < 5; ++i)
            flooder.writeDatagram(probe.makeReply("ZQ-FLOOD"));
    });
    const int windowMs = 500;
    const SearchTargets targets =
        loopbackTargets({QHostAddress(QStringLiteral("127.0.0.1"))}, flooder.localPort(), windowMs);
    // The search runs beside this thread, whose event loop drives the flooder.
    std::atomic<int> found{0};
    std::optional<SearchOutcome> outcome;
    JobRunner runner;
    QVERIFY(runner.run(
        this,
        [&targets, &found](const StopToken& stop) {
            return searchDevices(targets, stop, [&found](const FoundDevice& device) {
                if (device.name == QLatin1String("ZQ-FLOOD"))
                    ++found;
            });
        },
        [&outcome](const SearchOutcome& ended) { outcome = ended; }));
    QVERIFY(QTest::qWaitFor([&] { return outcome.has_value(); }, windowMs + 5000));
    QVERIFY2(found > 20, qPrintable(QString::number(found)));
    QCOMPARE(outcome->answers, found.load());
    QCOMPARE(outcome->failure, SearchFailure::None);
}

void TestDeviceSearch::searchWithoutAnswers_data()
{
    QTest::addColumn<QList<QHostAddress>>("destinations");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<SearchFailure>("failure");
    const QList<QHostAddress> silent{QHostAddress(QStringLiteral("127.0.0.9"))};
    QTest::newRow("nowhere to send") << QList<QHostAddress>() << false << SearchFailure::NotSent;
    QTest::newRow("nobody answers") << silent << false << SearchFailure::NoAnswer;
    QTest::newRow("stopped first") << silent << true << SearchFailure::Stopped;
}

// Each way of finding nobody has its own code, for the texts and zq-cli's exit status.
void TestDeviceSearch::searchWithoutAnswers()
{
    QFETCH(QList<QHostAddress>, destinations);
    QFETCH(bool, stopped);
    QFETCH(SearchFailure, failure);
    StopSource source;
    if (stopped)
        source.request();
    int found = 0;
    const SearchOutcome outcome =
        searchDevices(loopbackTargets(destinations, 9, 100), source.token(), [&found](const FoundDevice&) { ++found; });
    QCOMPARE(outcome.failure, failure);
    QCOMPARE(outcome.answers, 0);
    QCOMPARE(found, 0);
}

void TestDeviceSearch::acrossNetworkNamespaces()
{
    // Without root the loopback searches above cover the rest.
    ZQ_REQUIRE_ROOT();
    if (QStandardPaths::findExecutable(QStringLiteral("ip")).isEmpty())
        ZQ_SKIP_FOR_ENVIRONMENT("needs the ip program (iproute2) to create network namespaces");
    NamespacePair namespaces;
    if (!namespaces.ok)
        ZQ_SKIP_FOR_ENVIRONMENT("could not create two network namespaces with a veth pair here");

    // The instrument's thread is born inside its namespace, and listens on every address there, as
    // it must to hear a broadcast.
    std::unique_ptr<Instrument> instrument;
    {
        EnteredNamespace inside(namespaces.instrument);
        QVERIFY(inside.entered);
        instrument = std::make_unique<Instrument>(QHostAddress(QHostAddress::AnyIPv4), 0, "ZQ-NS");
    }
    QVERIFY(instrument->ready);
    InstalledTargets targets(
        loopbackTargets({QHostAddress(QStringLiteral("192.0.2.255"))}, instrument->probePort(), 1000));

    SearchDeviceDialog dialog;
    {
        // The search thread is born inside the searcher's namespace; this thread returns at once.
        EnteredNamespace inside(namespaces.searcher);
        QVERIFY(inside.entered);
        button(dialog, "bntSearch")->click();
    }
    QVERIFY(QTest::qWaitFor(
        [&] { return !dialog.searchThread().isRunning() && button(dialog, "bntSearch")->isEnabled(); }, 20000));
    QCOMPARE(lines(dialog),
             QStringList{QStringLiteral("ZQ-NS    地址 192.0.2.2    端口 %1").arg(instrument->linkPort())});
    list(dialog)->setCurrentRow(0);
    button(dialog, "bntOk")->click();
    QCOMPARE(dialog.selectedAddress, QHostAddress(QStringLiteral("192.0.2.2")));
    QCOMPARE(dialog.selectedPort, instrument->linkPort());
}

ZQ_TEST_MAIN_WITH_SKIPS(TestDeviceSearch)
#include "tst_devicesearch.moc"
