// Labels: gui net
// The boxes of failures speak the chosen language too: after a switch to English no box of a
// scripted failure shows Chinese, after a switch to Traditional Chinese none shows Simplified
// characters or Mainland terms. Link, reply-check, file and dialog failures, and the clock's
// success box.
#include "app/mainwindow.h"
#include "link/devicerequests.h"
#include "link/linktimings.h"
#include "prompt/prompter.h"
#include "prompt/titlewidth.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/languageprobe.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

// An action against a UDP peer that answers every request with `reply` (nothing: no answer).
Opener againstPeer(const char* action, const QByteArray& reply)
{
    return [action, reply](MainWindow& window, ScriptedPrompter&, WorkDir&, const std::function<void()>& thenAnswer) {
        CannedPeer peer([reply](const QByteArray&) { return reply; });
        thenAnswer();
        if (qstrcmp(action, "refresh") == 0)
            QVERIFY(refresh(window, 5000));
        else
            trigger(window, action);
    };
}

// An action that asks for a file and is given `name` in the working directory.
Opener withFile(const char* action, const char* name, const QByteArray& contents)
{
    return [=](MainWindow& window, ScriptedPrompter& prompter, WorkDir& dir, const std::function<void()>& thenAnswer) {
        if (!contents.isEmpty())
            dir.writeFile(QString::fromLatin1(name), contents);
        prompter.nextFileName(dir.filePath(QString::fromLatin1(name)));
        thenAnswer();
        trigger(window, action);
    };
}

void noUdpAddress(QDialog& dialog)
{
    chooseUdp(dialog);
    dialog.findChild<QLineEdit*>(QStringLiteral("edUdpAddress"))->clear();
}

// Failures the operator can meet, each ending in at least one box. The serial settings point at a
// port that does not exist unless the row sets up a peer of its own.
struct FailureRow
{
    const char* name;
    Opener run;
};

const QList<FailureRow>& failures()
{
    static const QList<FailureRow> rows = {
        {"refresh without port", byAction("refresh")},
        {"refresh, wrong address", againstPeer("refresh", CannedPeer::dataReply("x", 0x01))},
        {"refresh, no reply", againstPeer("refresh", QByteArray())},
        {"sync time, no reply", againstPeer("sync_time", QByteArray())},
        {"sync time succeeds", againstPeer("sync_time", setClockAcknowledgement(0xFF))},
        {"write without port", byAction("save")},
        {"import, bad file", withFile("import_2", "bad.csv", "nonsense\r\n")},
        {"export, no folder", withFile("export_2", "missing/items.csv", QByteArray())},
        {"settings, no UDP address", byAction("setup", {clickIn("ok", noUdpAddress)})},
        {"update without a page", byAction("update", {clickIn("bntRefresh")})},
    };
    return rows;
}

}

class TestLanguageBoxes : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void failureBoxes_data();
    void failureBoxes();
    void shortBoxesShowTheirWholeTitle_data();
    void shortBoxesShowTheirWholeTitle();

private:
    LinkTimings shortWaits;
};

void TestLanguageBoxes::init()
{
    shortWaits.readItemMs = 200;
    shortWaits.readItemRetryMs = 200;
    shortWaits.setClockMs = 200;
    shortWaits.writeItemMs = 200;
    LinkTimings::install(&shortWaits);
}

void TestLanguageBoxes::cleanup()
{
    LinkTimings::install(nullptr);
}

void TestLanguageBoxes::failureBoxes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("row");
    for (const char* code : {"en_US", "zh_TW"})
        for (int row = 0; row < failures().size(); ++row)
            QTest::addRow("%s %s", code, failures().at(row).name) << QString::fromLatin1(code) << row;
}

void TestLanguageBoxes::failureBoxes()
{
    QFETCH(QString, code);
    QFETCH(int, row);
    LanguageSetup setup(code);
    Inspector inspector{code, QString::fromLatin1(failures().at(row).name), {}, {}};
    ScriptedPrompter prompter;
    failures().at(row).run(*setup.window, prompter, setup.dir, [&] {
        for (int i = 0; i < 3; ++i)
            prompter.answerNext(inspector.answer());
    });
    // The operations report from their threads; their boxes arrive queued.
    QVERIFY(waitIdle(*setup.window, 5000));
    QVERIFY2(inspector.classes.contains(QStringLiteral("QMessageBox")), "no box was shown");
    inspector.faults << wrongTexts(setup.window.data(), code);
    QVERIFY2(inspector.faults.isEmpty(), qPrintable(QStringLiteral("\n") + inspector.faults.join('\n')));
}

void TestLanguageBoxes::shortBoxesShowTheirWholeTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("Simplified Chinese") << QStringLiteral("同步时间") << QStringLiteral("成功");
    QTest::newRow("Traditional Chinese") << QStringLiteral("同步時間") << QStringLiteral("成功");
    QTest::newRow("English") << QStringLiteral("Synchronize Time") << QStringLiteral("Done");
    QTest::newRow("long title") << QStringLiteral("Communication Settings of the Instrument") << QStringLiteral("x");
}

// A box whose text is shorter than its title is still wide enough for the title, as the operator
// sees it: through the prompter that really runs it.
void TestLanguageBoxes::shortBoxesShowTheirWholeTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    QMessageBox plain(QMessageBox::Critical, title, text, QMessageBox::Ok);
    plain.show();
    QVERIFY2(plain.width() < titleBarWidth(plain), "the row's box would show its whole title anyway");
    plain.hide();

    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
    int shownWidth = 0;
    QTimer::singleShot(0, &box, [&] {
        shownWidth = box.width();
        box.accept();
    });
    Prompter::current().exec(box);
    QVERIFY2(shownWidth >= titleBarWidth(box), qPrintable(QStringLiteral("%1 < %2").arg(shownWidth).arg(titleBarWidth(box))));
}

QTEST_MAIN(TestLanguageBoxes)
#include "tst_languageboxes.moc"
