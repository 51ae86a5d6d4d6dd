// Labels: gui net
// The boxes of failures speak the chosen language too: after a switch to English no box of a
// scripted failure shows Chinese, after a switch to Traditional Chinese none shows Simplified
// characters or Mainland terms. Link, reply-check, file and dialog failures, and the clock's
// success box.
#include "app/mainwindow.h"
#include "link/frames.h"
#include "link/linktimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/languageprobe.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

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
        {"search, nothing chosen", byAction("setup", {clickIn("bntSearch", chooseUdp), clickIn("bntOk")})},
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

QTEST_MAIN(TestLanguageBoxes)
#include "tst_languageboxes.moc"
