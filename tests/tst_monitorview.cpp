// Labels: net pty gui
#include "lineview/ui/lineview.h"
#include "link/frames.h"
#include "settings/settingkeys.h"
#include "tests/support/ui/monitorrig.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

// The monitor's view as the operator uses it on a long run, against the simulator: the view keeps
// the newest lines while the log file keeps them all; find, pause, filter and follow.
class TestMonitorView : public QObject
{
    Q_OBJECT
private slots:
    void viewBoundedLogComplete_data();
    void viewBoundedLogComplete();
    void findPauseFilter();
};

void TestMonitorView::viewBoundedLogComplete_data()
{
    MonitorRig::addTransports();
}

// A run of many lines into a view of 100: the view holds the newest 100, the log file every line
// in order with its stamp, and the status line counts them all.
void TestMonitorView::viewBoundedLogComplete()
{
    QFETCH(bool, udp);
    const int held = 100;
    const int sent = 3000;
    MonitorRig rig(udp);
    QVERIFY(rig.ready);
    rig.dir.writeConfig({{Settings::MonitorLines.path, held}});
    const QString logPath = rig.dir.path() + QStringLiteral("/monitor.log");
    rig.prompter.nextFileName(logPath);
    rig.press("bntLog");
    QVERIFY(rig.widget<QLabel>("labLogFile")->text().contains(QStringLiteral("monitor.log")));
    rig.widget<QRadioButton>("rdHex")->setChecked(true);

    rig.sim()->setDebugRate(udp ? 5000 : 0);
    rig.sim()->setDebugLineCount(sent);
    QVERIFY(rig.startListening());
    QVERIFY(QTest::qWaitFor([&] { return rig.dialog.receivedLineCount() >= sent; }, 8000));
    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
    QCOMPARE(rig.dialog.receivedLineCount(), qint64(sent));
    QCOMPARE(rig.dialog.lineModel().heldCount(), held);
    QCOMPARE(rig.dialog.lineModel().rowCount(), held);
    QVERIFY(rig.widget<QLabel>("labStatus")->text().startsWith(QStringLiteral("已停止  %1 行").arg(sent)));
    rig.press("bntLog");
    QVERIFY(rig.widget<QLabel>("labLogFile")->text().isEmpty());

    // The view's rows are the last lines of the log.
    QFile file(logPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList logged = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(logged.size(), sent);
    QCOMPARE(rig.text().split(QLatin1Char('\n'), Qt::SkipEmptyParts), logged.mid(sent - held));
    const QRegularExpression stamped(
        QStringLiteral("^%1([0-9A-F]{2} )+$").arg(MonitorRig::stampPattern(QStringLiteral("\\d+"))));
    // The hex of "[DBG 00042]" tells each line's sequence number.
    for (int i = 0; i < sent; ++i) {
        QVERIFY2(stamped.match(logged.at(i)).hasMatch(), qPrintable(logged.at(i)));
        const QByteArray number = QByteArray::number(i + 1).rightJustified(5, '0');
        QVERIFY2(logged.at(i).contains(QString::fromLatin1(hexDump("[DBG " + number + "]"))), qPrintable(logged.at(i)));
    }
}

// Ctrl+F finds a line and holds it in sight; Pause keeps the rows while lines are still counted;
// the filter shows only the lines that contain its text; Follow goes back to the newest line.
void TestMonitorView::findPauseFilter()
{
    MonitorRig rig(true);
    QVERIFY(rig.ready);
    QVERIFY(rig.startListening());
    QByteArray lines;
    for (int i = 1; i <= 10; ++i)
        lines += QStringLiteral("line %1\r\n").arg(i, 2, 10, QLatin1Char('0')).toLatin1();
    rig.sim()->sendDebugBytes(lines);
    QVERIFY(rig.waitLines(10));
    auto* view = rig.widget<LineView>("lineView");
    QVERIFY(view->isFollowing());

    auto* find = rig.widget<QLineEdit>("edFind");
    QTest::keyClick(&rig.dialog, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(rig.dialog.focusWidget(), find);
    QTest::keyClicks(find, QStringLiteral("LINE 07"));
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(view->currentRow(), 6);
    QCOMPARE(view->selectedText(), QStringLiteral("line 07"));
    QVERIFY(!view->isFollowing());
    QVERIFY(!rig.widget("bntFollow")->isChecked());

    rig.press("bntPause");
    rig.sim()->sendDebugBytes("line 11\r\nline 12\r\n");
    QVERIFY(QTest::qWaitFor([&] { return rig.dialog.receivedLineCount() == 12; }, 5000));
    QTest::qWait(LineModel::FrameMs * 3);
    QCOMPARE(rig.dialog.lineModel().rowCount(), 10);
    rig.press("bntPause");
    QVERIFY(QTest::qWaitFor([&] { return rig.dialog.lineModel().rowCount() == 12; }, 2000));

    QTest::keyClicks(rig.widget<QLineEdit>("edFilter"), QStringLiteral("line 1"));
    QVERIFY(QTest::qWaitFor([&] { return rig.dialog.lineModel().rowCount() == 3; }, 2000));
    QCOMPARE(rig.text(), QStringLiteral("line 10\nline 11\nline 12\n"));
    rig.press("bntFollow");
    QVERIFY(view->isFollowing());
    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
}

QTEST_MAIN(TestMonitorView)
#include "tst_monitorview.moc"
