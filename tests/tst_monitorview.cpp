// Labels: net pty gui
#include "lineview/ui/lineview.h"
#include "link/hexdump.h"
#include "settings/settingkeys.h"
#include "tests/support/ui/monitorrig.h"

#include <QCheckBox>
#include <QDir>
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
    void formChangeRedrawsHeldLines();
    void filterKeepsFollowing();
    void saveShown();
};

namespace {

// Starts listening and shows count lines "line 001".. in the view.
bool showLines(MonitorRig& rig, int count)
{
    if (!rig.startListening())
        return false;
    QByteArray lines;
    for (int i = 1; i <= count; ++i)
        lines += QStringLiteral("line %1\r\n").arg(i, 3, 10, QLatin1Char('0')).toLatin1();
    rig.sim()->sendDebugBytes(lines);
    return rig.waitLines(count) && QTest::qWaitFor([&] { return rig.dialog.lineModel().pendingCount() == 0; }, 2000);
}

} // namespace

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

// Hex, the combined form and the stamp show every line held anew, the view staying where the
// operator had it (scrolled up, a row selected).
void TestMonitorView::formChangeRedrawsHeldLines()
{
    MonitorRig rig(true);
    QVERIFY(rig.ready);
    QVERIFY(showLines(rig, 80));
    auto* view = rig.widget<LineView>("lineView");
    view->setFollowing(false);
    view->selectRow(10);
    const int first = view->firstVisibleRow();
    QCOMPARE(rig.dialog.lineModel().textAt(10), QStringLiteral("line 011"));

    rig.widget<QRadioButton>("rdHex")->setChecked(true);
    QVERIFY(QRegularExpression(QStringLiteral("^%1%2$").arg(MonitorRig::stampPattern(10), hexDump("line 011\r\n")))
                .match(rig.dialog.lineModel().textAt(10))
                .hasMatch());
    rig.widget<QRadioButton>("rdOriginalHex")->setChecked(true);
    QVERIFY(rig.dialog.lineModel().textAt(0).endsWith(QStringLiteral("line 001 ( 6C 69 6E 65 20 30 30 31 0D 0A  )")));
    rig.widget<QRadioButton>("rdOriginal")->setChecked(true);
    QCOMPARE(rig.dialog.lineModel().textAt(10), QStringLiteral("line 011"));
    rig.widget<QCheckBox>("ckStamp")->setChecked(true);
    QVERIFY(QRegularExpression(QStringLiteral("^%1line 011$").arg(MonitorRig::stampPattern(10)))
                .match(rig.dialog.lineModel().textAt(10))
                .hasMatch());
    QCOMPARE(view->firstVisibleRow(), first);
    QCOMPARE(view->currentRow(), 10);
    QVERIFY(!view->isFollowing());
    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
}

// Typing a filter and clearing it again leaves the view as it was: following the newest line
// when it followed, at its place when it did not.
void TestMonitorView::filterKeepsFollowing()
{
    MonitorRig rig(true);
    QVERIFY(rig.ready);
    QVERIFY(showLines(rig, 80));
    auto* view = rig.widget<LineView>("lineView");
    auto* filter = rig.widget<QLineEdit>("edFilter");
    for (const bool follow : {true, false}) {
        view->setFollowing(follow);
        if (!follow)
            view->selectRow(5);
        QTest::keyClicks(filter, QStringLiteral("line 07"));
        QVERIFY(QTest::qWaitFor([&] { return rig.dialog.lineModel().rowCount() == 10; }, 2000));
        QCOMPARE(view->isFollowing(), follow);
        filter->clear();
        QVERIFY(QTest::qWaitFor([&] { return rig.dialog.lineModel().rowCount() == 80; }, 2000));
        QCOMPARE(view->isFollowing(), follow);
        QCOMPARE(rig.widget("bntFollow")->isChecked(), follow);
        if (follow)
            QCOMPARE(view->lastVisibleRow(), 79);
    }
    rig.sim()->sendDebugBytes("line 081\r\n");
    QVERIFY(rig.waitLines(81));
    QVERIFY(!view->isFollowing());
    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
}

// "保存显示内容…" writes the rows as shown: the form chosen, the filter's rows only; a file that
// cannot be written gets a box and leaves the earlier file whole.
void TestMonitorView::saveShown()
{
    MonitorRig rig(true);
    QVERIFY(rig.ready);
    QVERIFY(showLines(rig, 30));
    rig.widget<QRadioButton>("rdHex")->setChecked(true);
    QTest::keyClicks(rig.widget<QLineEdit>("edFilter"), QStringLiteral("32 0D"));
    QVERIFY(QTest::qWaitFor([&] { return rig.dialog.lineModel().rowCount() == 3; }, 2000));
    rig.press("bntStop");
    QVERIFY(rig.waitFinished());

    const QString path = rig.dir.path() + QStringLiteral("/shown.txt");
    rig.prompter.nextFileName(path);
    rig.press("bntSaveShown");
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(saved.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.last(), QString());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(rows.at(i), rig.dialog.lineModel().textAt(i));
    QVERIFY(rows.at(2).endsWith(QString::fromLatin1(hexDump("line 022\r\n"))));
    QVERIFY(rig.prompter.shown.isEmpty());

    // A folder cannot be written over: the box names the file.
    rig.prompter.nextFileName(rig.dir.path());
    rig.press("bntSaveShown");
    QCOMPARE(rig.prompter.shown.size(), 1);
    QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("保存显示内容"));
    QVERIFY(rig.prompter.shown.at(0).text.contains(QDir::toNativeSeparators(rig.dir.path())));
}

QTEST_MAIN(TestMonitorView)
#include "tst_monitorview.moc"
