// Labels: net pty gui
// Safe writes: rows that differ from the instrument are marked and written on their own after an
// old -> new confirmation, every write is preceded by a backup that can be restored, action items
// warn with Cancel as default, and values that plainly do not fit are refused before sending.
#include "app/mainwindow.h"
#include "config/configbackup.h"
#include "config/itemtext.h"
#include "config/ui/configtree.h"
#include "config/ui/modifydialog.h"
#include "tests/support/shorttimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

class TestConfigChanges : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { timings = std::make_unique<ShortTimings>(); }
    void cleanupTestCase() { timings.reset(); }
    void writeChangedSendsOnlyChangedRows_data();
    void writeChangedSendsOnlyChangedRows();
    void refreshWithChangesAsks_data();
    void refreshWithChangesAsks();
    void actionItemWarnsWithCancelDefault_data();
    void actionItemWarnsWithCancelDefault();
    void valueCheck_data();
    void valueCheck();
    void unfitValueRefusedBeforeSending();
    void refusedRowShownUntilRead();
    void backupNamesAndPruning_data();
    void backupNamesAndPruning();
    void unsavedBackupSendsNothing_data();
    void unsavedBackupSendsNothing();

private:
    std::unique_ptr<ShortTimings> timings;
};

namespace {

const QStringList instrumentItems{"设备名称:ZQ/7 东", "设备型号:M7",  "温度:20",
                                  "湿度:30 %",        "报警上限:120", "恢复出厂设置"};

// Imports a CSV file of the given lines through the window's Import.
void importFile(MainWindow& window, ScriptedPrompter& prompter, WorkDir& dir, const QByteArray& lines)
{
    dir.writeFile("changes.csv", "\xEF\xBB\xBF" + lines);
    prompter.nextFileName(dir.filePath("changes.csv"));
    prompter.answerNext(acceptComparison());
    trigger(window, "import_2");
}

QStringList backups(const WorkDir& dir)
{
    return QDir(dir.filePath("Backups")).entryList(QDir::Files, QDir::Name);
}

QStringList boldRows(MainWindow& window)
{
    QStringList rows;
    for (int i = 0; i < shownRowCount(window); ++i)
        if (shownCell(window, i).data(Qt::FontRole).value<QFont>().bold())
            rows.append(window.configModel()->item(i).row.name);
    return rows;
}

} // namespace

void TestConfigChanges::writeChangedSendsOnlyChangedRows_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::newRow("udp") << Transport::Udp;
    QTest::newRow("pty") << Transport::Pty;
}

// Read, import a file that changes two items, Write changes: exactly those two go out after a box
// that lists them old -> new; the backup holds the values read before, and restoring it and
// writing the changes brings the instrument back.
void TestConfigChanges::writeChangedSendsOnlyChangedRows()
{
    QFETCH(Transport, transport);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(transport, instrumentItems);
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    auto* changes = window.findChild<QLabel*>("labChanges");
    QVERIFY(!changes->isVisibleTo(&window));

    // The file's identity rows (0 and 1) come back without a value and are never written.
    importFile(window, prompter, dir,
               "00. 设备名称,\r\n01. 设备型号,\r\n02. 温度, 25\r\n03. 湿度, 30 %\r\n04. 报警上限, 130\r\n05. "
               "恢复出厂设置,\r\n");
    QCOMPARE(boldRows(window), (QStringList{"温度", "报警上限"}));
    QCOMPARE(changes->text(), QStringLiteral("2 项修改未写入"));
    QVERIFY(changes->isVisibleTo(&window));
    QVERIFY(shownCell(window, 2).data(Qt::DecorationRole).isValid());

    QString boxText;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    prompter.answerNext([&](QDialog& dialog) {
        auto& box = static_cast<QMessageBox&>(dialog);
        boxText = box.text();
        defaultButton = box.standardButton(box.defaultButton());
        return int(QMessageBox::Yes);
    });
    trigger(window, "write_changed");
    QCOMPARE(boxText, QStringLiteral("将以下 2 项写入设备:\n温度: 20 → 25\n报警上限: 120 → 130"));
    QCOMPARE(defaultButton, QMessageBox::Yes);
    QList<int> written;
    for (const QByteArray& request : sim->requestLog())
        if (quint8(request.at(1)) == 0x0F)
            written.append(quint8(request.at(3)));
    QCOMPARE(written, (QList<int>{2, 4}));
    QCOMPARE(sim.items().mid(2, 3), (QStringList{"温度:25", "湿度:30 %", "报警上限:130"}));
    QCOMPARE(boldRows(window), QStringList());
    QVERIFY(!changes->isVisibleTo(&window));
    QCOMPARE(prompter.texts().size(), 1);

    // The backup was made before the write, named after the instrument, in the export format.
    const QStringList made = backups(dir);
    QCOMPARE(made.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^ZQ_7_东-\\d{8}-\\d{6}\\.csv$")).match(made.first()).hasMatch(),
             qPrintable(made.first()));
    QCOMPARE(dir.readFile("Backups/" + made.first()),
             QByteArray("\xEF\xBB\xBF"
                        "00. 设备名称, ZQ/7 东\r\n01. 设备型号, M7\r\n02. 温度, 20\r\n03. 湿度, 30 %\r\n"
                        "04. 报警上限, 120\r\n05. 恢复出厂设置,\r\n"));

    prompter.nextFileName(dir.filePath("Backups/" + made.first()));
    prompter.answerNext(acceptComparison());
    trigger(window, "restore_backup");
    QCOMPARE(prompter.fileDialogCaptions.last(), QStringLiteral("恢复备份"));
    QCOMPARE(boldRows(window), (QStringList{"温度", "报警上限"}));
    prompter.pressNext(QMessageBox::Yes);
    trigger(window, "write_changed");
    QCOMPARE(sim.items(), instrumentItems);
    QCOMPARE(backups(dir).size(), 2);
}

void TestConfigChanges::refreshWithChangesAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("reads");
    QTest::newRow("no keeps the changes") << int(QMessageBox::No) << false;
    QTest::newRow("yes reads") << int(QMessageBox::Yes) << true;
}

void TestConfigChanges::refreshWithChangesAsks()
{
    QFETCH(int, answer);
    QFETCH(bool, reads);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp, instrumentItems);
    MainWindow window;
    importRows(window, {{2, "温度:25"}});
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    prompter.answerNext([&](QDialog& dialog) {
        auto& box = static_cast<QMessageBox&>(dialog);
        defaultButton = box.standardButton(box.defaultButton());
        return answer;
    });
    QVERIFY(refresh(window));
    QCOMPARE(defaultButton, QMessageBox::No);
    QCOMPARE(prompter.texts(), QStringList{"有 1 项修改尚未写入设备, 刷新会以设备中的值替换它们。\n仍要刷新吗?"});
    QCOMPARE(sim->requestCount() > 0, reads);
    QCOMPARE(shownRowCount(window), reads ? 6 : 1);
}

void TestConfigChanges::actionItemWarnsWithCancelDefault_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("requests");
    QTest::newRow("enter takes the default") << -1 << 0;
    QTest::newRow("ok carries it out") << int(QMessageBox::Ok) << 1;
}

void TestConfigChanges::actionItemWarnsWithCancelDefault()
{
    QFETCH(int, answer);
    QFETCH(int, requests);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp, instrumentItems);
    MainWindow window;
    QVERIFY(refresh(window));
    QVERIFY(shownCell(window, 5).data(Qt::DecorationRole).isValid());
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    prompter.answerNext([&](QDialog& dialog) {
        auto& box = static_cast<QMessageBox&>(dialog);
        icon = box.icon();
        defaultButton = box.standardButton(box.defaultButton());
        return answer < 0 ? int(defaultButton) : answer;
    });
    doubleClick(window, 5);
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(defaultButton, QMessageBox::Cancel);
    QCOMPARE(prompter.shown.first().title, QStringLiteral("恢复出厂设置"));
    QCOMPARE(prompter.shown.first().text, QStringLiteral("设备将执行“恢复出厂设置”。\n确定要继续吗?"));
    QCOMPARE(sim->requestCount(InstrumentSimulator::WriteItem), requests);
}

void TestConfigChanges::valueCheck_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("problem");
    const int none = int(ValueProblem::None);
    const int number = int(ValueProblem::NotANumber);
    QTest::newRow("number") << "报警上限"
                            << "120"
                            << "130" << none;
    QTest::newRow("letters for a number") << "报警上限"
                                          << "120"
                                          << "abc" << number;
    QTest::newRow("negative decimal") << "温度修正"
                                      << "-0.5"
                                      << "+1.25" << none;
    QTest::newRow("number with its unit") << "速率"
                                          << "9600 bps"
                                          << "19200 bps" << none;
    QTest::newRow("number without the unit") << "速率"
                                             << "9600 bps"
                                             << "19200" << none;
    QTest::newRow("another unit") << "速率"
                                  << "9600 bps"
                                  << "19200 kbps" << number;
    QTest::newRow("unit glued on") << "周期"
                                   << "10s"
                                   << "5" << none;
    QTest::newRow("empty for a number") << "报警上限"
                                        << "120"
                                        << "" << number;
    QTest::newRow("time of day is text") << "定时"
                                         << "12:30:00"
                                         << "07:05" << none;
    QTest::newRow("version is text") << "固件版本"
                                     << "V2.1.7"
                                     << "anything" << none;
    QTest::newRow("option") << "模式(自动/手动)"
                            << "自动"
                            << "手动" << none;
    QTest::newRow("not an option") << "模式(自动/手动)"
                                   << "自动"
                                   << "半自动" << int(ValueProblem::NotAnOption);
}

void TestConfigChanges::valueCheck()
{
    QFETCH(QString, name);
    QFETCH(QString, read);
    QFETCH(QString, value);
    QFETCH(int, problem);
    QCOMPARE(int(checkItemValue(name, read, value)), problem);
}

// "abc" for a number is refused with a box and the dialog comes back with it; nothing is sent.
void TestConfigChanges::unfitValueRefusedBeforeSending()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp, instrumentItems);
    MainWindow window;
    QVERIFY(refresh(window));
    QString reopenedWith;
    prompter.answerNext([](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText("abc");
        return int(QDialog::Accepted);
    });
    prompter.answerNext([](QDialog&) { return int(QMessageBox::Ok); });
    prompter.answerNext([&](QDialog& dialog) {
        reopenedWith = static_cast<ModifyDialog&>(dialog).lineEditor()->text();
        return int(QDialog::Rejected);
    });
    doubleClick(window, 4);
    QCOMPARE(prompter.texts(), QStringList{"“abc”不是数值。此项的值是一个数 (当前为 120), 请输入数字。"});
    QCOMPARE(reopenedWith, QStringLiteral("abc"));
    QCOMPARE(sim->requestCount(InstrumentSimulator::WriteItem), 0);
    QVERIFY(backups(dir).isEmpty());
}

// A value the instrument did not take greys its row with a tool tip, until the next read.
void TestConfigChanges::refusedRowShownUntilRead()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp, {"温度:20", "!报警上限:120"});
    MainWindow window;
    QVERIFY(refresh(window));
    prompter.answerNext([](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText("130");
        return int(QDialog::Accepted);
    });
    doubleClick(window, 1);
    QCOMPARE(shownText(window, 1, 1), QStringLiteral(": 120"));
    QVERIFY(shownCell(window, 1).data(ConfigModel::RefusedRole).toBool());
    QVERIFY(shownCell(window, 1, 1).data(Qt::ForegroundRole).isValid());
    QCOMPARE(shownCell(window, 1, 1).data(Qt::ToolTipRole).toString(),
             QStringLiteral("设备未接受写入的值, 仍为 120"));
    QVERIFY(!window.configModel()->item(1).isChanged());
    QCOMPARE(backups(dir).size(), 1);
    QVERIFY(refresh(window));
    QVERIFY(!shownCell(window, 1, 1).data(Qt::ForegroundRole).isValid());
    QCOMPARE(shownCell(window, 1, 1).data(Qt::ToolTipRole).toString(), QString());
}

void TestConfigChanges::backupNamesAndPruning_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("plain") << "ZQ-200"
                           << "ZQ-200";
    QTest::newRow("path and blanks") << "../a b\\c"
                                     << "___a_b_c";
    QTest::newRow("nothing left") << "/:*?"
                                  << "ZQ";
    QTest::newRow("empty") << ""
                           << "ZQ";
    QTest::newRow("long") << QString(60, QLatin1Char('x')) << QString(40, QLatin1Char('x'));
}

// 52 backups of one instrument leave the newest 50; another instrument's files stay.
void TestConfigChanges::backupNamesAndPruning()
{
    QFETCH(QString, instrument);
    QFETCH(QString, prefix);
    WorkDir dir;
    QDir folder(dir.filePath("Backups"));
    const ConfigRows rows{{1, "温度", "20", true}};
    QVERIFY(ConfigBackup::save(folder, "other", rows, QDateTime(QDate(2026, 1, 1), QTime(0, 0))).ok);
    const QDateTime start(QDate(2026, 3, 1), QTime(8, 0));
    QString last;
    for (int i = 0; i < 52; ++i)
        QVERIFY(ConfigBackup::save(folder, instrument, rows, start.addSecs(i), &last).ok);
    QStringList kept = folder.entryList({prefix + "-*.csv"}, QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), 50);
    QCOMPARE(kept.first(), prefix + "-20260301-080002.csv");
    QCOMPARE(QFileInfo(last).fileName(), prefix + "-20260301-080051.csv");
    QVERIFY(folder.exists("other-20260101-000000.csv"));
    // A second backup within the same second keeps the first.
    QString again;
    QVERIFY(ConfigBackup::save(folder, instrument, rows, start.addSecs(51), &again).ok);
    QVERIFY(again != last);
    QVERIFY(QFileInfo::exists(last));
}

void TestConfigChanges::unsavedBackupSendsNothing_data()
{
    QTest::addColumn<QString>("write");
    QTest::newRow("write all") << QStringLiteral("save");
    QTest::newRow("write changes") << QStringLiteral("write_changed");
    QTest::newRow("edit") << QStringLiteral("edit");
}

// A write whose backup cannot be saved (a file stands where the folder of backups goes) sends
// nothing, says why, and leaves the window ready for the next operation.
void TestConfigChanges::unsavedBackupSendsNothing()
{
    QFETCH(QString, write);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp, instrumentItems);
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    dir.writeFile("Backups", "not a folder");
    window.configModel()->setValue(2, "25");
    if (write == QLatin1String("edit")) {
        prompter.answerNext([](QDialog& dialog) {
            static_cast<ModifyDialog&>(dialog).lineEditor()->setText("26");
            return int(QDialog::Accepted);
        });
        doubleClick(window, 2);
    } else {
        prompter.pressNext(QMessageBox::Yes); // Write changes asks first
        trigger(window, write.toLatin1().constData());
    }
    QCOMPARE(prompter.shown.last().title, QStringLiteral("备份"));
    QCOMPARE(prompter.shown.last().text,
             QStringLiteral("无法创建备份文件夹: ") + QFileInfo(dir.filePath("Backups")).absoluteFilePath());
    QCOMPARE(sim->requestCount(InstrumentSimulator::WriteItem), 0);
    QCOMPARE(sim.items(), instrumentItems);
    QVERIFY(!window.isBusy());
    QVERIFY(window.findChild<QAction*>("save")->isEnabled());
}

QTEST_MAIN(TestConfigChanges)
#include "tst_configchanges.moc"
