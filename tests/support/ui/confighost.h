#pragma once
// Test-only peers for the configuration tests, each on its own thread: the window's UDP waits
// block the user-interface thread, so whatever answers must not live there.

#include "app/mainwindow.h"
#include "config/configmodel.h"
#include "config/ui/configtree.h"
#include "link/frames.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "sim/instrumentsimulator.h"
#include "tests/support/simfixture.h"
#include "tests/support/ui/scriptedprompter.h"

#include <QAction>
#include <QHostAddress>
#include <QMutex>
#include <QMutexLocker>
#include <QNetworkDatagram>
#include <QSettings>
#include <QTest>
#include <QThread>
#include <QUdpSocket>
#include <algorithm>
#include <functional>

// Which transport a test runs over.
enum class Transport { Udp, Pty };
Q_DECLARE_METATYPE(Transport)

// A cell of the tree as it shows it (the row's look included).
inline QModelIndex shownCell(MainWindow& window, int row, int column = 0)
{
    return window.configTree()->model()->index(row, column);
}

// The text the tree shows in a cell.
inline QString shownText(MainWindow& window, int row, int column)
{
    return shownCell(window, row, column).data().toString();
}

inline int shownRowCount(MainWindow& window)
{
    return window.configTree()->model()->rowCount();
}

// The tree's rows as "column 0|column 1|index".
inline QStringList rowsOf(MainWindow& window)
{
    QStringList rows;
    for (int i = 0; i < shownRowCount(window); ++i) {
        rows.append(QStringLiteral("%1|%2|%3")
                        .arg(shownText(window, i, 0), shownText(window, i, 1))
                        .arg(shownCell(window, i).data(ConfigModel::IndexRole).toInt()));
    }
    return rows;
}

// Rows as a complete read hands them to the window: index and item text. They replace the rows
// shown and count as the instrument's values (nothing to write).
inline void addRows(MainWindow& window, const QList<QPair<int, QString>>& rows)
{
    QVector<ReadItem> read;
    for (const auto& row : rows)
        read.append({row.first, row.second.split(QLatin1Char(':')), -1});
    window.configModel()->showRead(read);
}

// Rows as an import hands them to the window: not yet written, so marked as changes.
inline void importRows(MainWindow& window, const QList<QPair<int, QString>>& rows)
{
    for (const auto& row : rows)
        window.slotAddItems(row.first, row.second.split(QLatin1Char(':')));
}

// The texts of the message boxes shown, without the questions that list a write ("将以下 N 项写入设备:
// ..."): what the operations themselves reported.
inline QStringList outcomeTexts(const ScriptedPrompter& prompter)
{
    QStringList texts = prompter.texts();
    texts.erase(std::remove_if(texts.begin(), texts.end(),
                               [](const QString& text) { return text.startsWith(QStringLiteral("将以下 ")); }),
                texts.end());
    return texts;
}

// Answers the comparison of an imported or restored file with OK: its proposed rows are taken.
inline ScriptedPrompter::DialogAnswer acceptComparison()
{
    return [](QDialog&) { return int(QDialog::Accepted); };
}

// Waits until the window's operation on the instrument has ended and its outcome has been shown.
inline bool waitIdle(MainWindow& window, int timeoutMs = 30000)
{
    const bool idle = QTest::qWaitFor([&] { return !window.isBusy(); }, timeoutMs);
    QCoreApplication::processEvents();
    return idle;
}

// Triggers a tool-bar or menu action by its object name ("refresh", "save", "sync_time", ...) and
// returns at once, while what it started runs.
inline void start(MainWindow& window, const char* action)
{
    QAction* found = window.findChild<QAction*>(QLatin1String(action));
    QVERIFY2(found, action);
    found->trigger();
}

// Triggers an action and waits for what it started to end.
inline void trigger(MainWindow& window, const char* action)
{
    start(window, action);
    QVERIFY2(waitIdle(window), action);
}

// Double-clicks a row as the operator would: press, release, double click, release.
inline void doubleClick(MainWindow& window, int row)
{
    if (!window.isVisible()) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    ConfigTree* tree = window.configTree();
    tree->scrollTo(shownCell(window, row));
    const QPoint at = tree->rowRect(row).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QVERIFY(waitIdle(window));
}

// Triggers Refresh and waits until the read has ended and everything it emitted has arrived.
inline bool refresh(MainWindow& window, int timeoutMs = 30000)
{
    start(window, "refresh");
    return waitIdle(window, timeoutMs);
}

// Points config.ini at a UDP peer on loopback.
inline void useUdpPeer(quint16 udpPort, int deviceAddress)
{
    Config config;
    config.setValue(Settings::DeviceAddress, deviceAddress);
    config.setValue(Settings::UseUdp, 1);
    config.setValue(Settings::UdpAddress, "127.0.0.1");
    config.setValue(Settings::UdpPort, QString::number(udpPort));
}

// The simulator for one test (on its own thread), holding these items (empty: its sample items),
// with config.ini pointing at it over the chosen transport. Make a WorkDir first.
class ConfigInstrument
{
public:
    explicit ConfigInstrument(Transport transport, const QStringList& items = QStringList(), int deviceAddress = 255)
        : fixture(transport == Transport::Pty)
    {
        started = fixture.isReady();
        if (!started)
            return;
        if (!items.isEmpty())
            fixture.sim()->setItems(items);
        fixture.sim()->setDeviceAddress(quint8(deviceAddress));
        if (transport == Transport::Udp)
            fixture.useUdp();
        else
            fixture.useSerial();
    }

    void setItems(const QStringList& items) { fixture.sim()->setItems(items); }
    QStringList items() const { return fixture.sim()->items(); }
    InstrumentSimulator* operator->() const { return fixture.sim(); }
    InstrumentSimulator* get() const { return fixture.sim(); }

    bool started = false;

private:
    SimFixture fixture;
};

// A UDP peer that answers every request with what `answer` makes of it: for replies the
// simulator would not give, such as a well-formed refusal.
class CannedPeer
{
public:
    using Answer = std::function<QByteArray(const QByteArray& request)>;

    explicit CannedPeer(Answer answer, int deviceAddress = 255) : answer(std::move(answer))
    {
        thread.start();
        socket = new QUdpSocket;
        socket->moveToThread(&thread);
        QMetaObject::invokeMethod(
            socket,
            [this] {
                socket->bind(QHostAddress(QHostAddress::LocalHost), 0);
                QObject::connect(socket, &QUdpSocket::readyRead, socket, [this] { serve(); });
            },
            Qt::BlockingQueuedConnection);
        useUdpPeer(socket->localPort(), deviceAddress);
    }
    ~CannedPeer()
    {
        socket->deleteLater();
        thread.quit();
        thread.wait();
    }

    QList<QByteArray> requests() const
    {
        QMutexLocker lock(&mutex);
        return received;
    }

    // An address-led data reply holding text.
    static QByteArray dataReply(const QByteArray& text, quint8 address = 0xFF)
    {
        QByteArray frame;
        frame.append(char(address)).append(char(0x03)).append(char(text.size())).append(text);
        const quint16 crc = crc16(frame);
        frame.append(char(crc & 0xFF)).append(char(crc >> 8));
        return frame;
    }

private:
    void serve()
    {
        while (socket->hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket->receiveDatagram();
            {
                QMutexLocker lock(&mutex);
                received.append(datagram.data());
            }
            const QByteArray reply = answer(datagram.data());
            if (!reply.isEmpty())
                socket->writeDatagram(reply, datagram.senderAddress(), quint16(datagram.senderPort()));
        }
    }

    Answer answer;
    QThread thread;
    QUdpSocket* socket;
    mutable QMutex mutex;
    QList<QByteArray> received;
};
