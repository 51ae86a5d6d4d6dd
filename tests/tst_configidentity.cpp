// Labels: net pty gui
// The operator imports a configuration file with another model's instrument, another instrument of
// the model, or its own, over UDP and the pseudo-terminal: the file is compared with the instrument
// before anything becomes a change.
#include "app/mainwindow.h"
#include "config/itemcsv.h"
#include "config/ui/comparisondialog.h"
#include "tests/support/shorttimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

class TestConfigIdentity : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { timings = std::make_unique<ShortTimings>(); }
    void cleanupTestCase() { timings.reset(); }
    void importComparesWithInstrument_data();
    void importComparesWithInstrument();
    void importBeforeReadAsksToRead();
    void writeAllShowsItsList();

private:
    std::unique_ptr<ShortTimings> timings;
};

namespace {

using Changes = QMap<QString, QString>;

// The simulator's item lines ("!name:value" for a read-only item) as an export of them.
QByteArray csvOf(const QStringList& itemLines, const Changes& changes = {})
{
    QByteArray csv("\xEF\xBB\xBF");
    int index = 0;
    for (QString line : itemLines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('!')))
            line.remove(0, 1);
        const int colon = line.indexOf(QLatin1Char(':'));
        ConfigRow row;
        row.index = index++;
        row.name = colon < 0 ? line : line.left(colon);
        row.valued = colon >= 0;
        row.value = changes.value(row.name, row.valued ? line.mid(colon + 1) : QString());
        csv += formatCsvLine(row).toUtf8() + "\r\n";
    }
    return csv;
}

QList<int> writtenIndices(ConfigInstrument& sim)
{
    QList<int> written;
    for (const QByteArray& request : sim->requestLog())
        if (quint8(request.at(1)) == 0x0F && quint8(request.at(2)) == 0x4B)
            written.append(quint8(request.at(3)));
    return written;
}

// What the comparison dialog showed; it is answered with its default button (Enter) or with OK.
struct SeenComparison
{
    bool shown = false;
    bool warned = false;
    QString warning;
    bool cancelIsDefault = false;
    QStringList checked; // the file's side of every checked row
    int refused = 0; // rows that cannot be taken
};

// take: the rows the operator ticks (by the file's side) before pressing OK; none: Enter.
ScriptedPrompter::DialogAnswer answerComparison(SeenComparison* seen, const QStringList& take)
{
    return [seen, take](QDialog& dialog) {
        auto* comparison = qobject_cast<ComparisonDialog*>(&dialog);
        if (!comparison)
            return int(QDialog::Rejected);
        seen->shown = true;
        seen->warned = !comparison->warningLabel()->isHidden();
        seen->warning = comparison->warningLabel()->text();
        seen->cancelIsDefault = comparison->buttons()->button(QDialogButtonBox::Cancel)->isDefault();
        QTreeWidget* rows = comparison->rowList();
        for (int i = 0; i < rows->topLevelItemCount(); ++i) {
            QTreeWidgetItem* row = rows->topLevelItem(i);
            if (row->checkState(0) == Qt::Checked)
                seen->checked.append(row->text(1));
            seen->refused += row->text(3).contains(QStringLiteral("不导入")) ? 1 : 0;
            if (take.contains(row->text(1)))
                row->setCheckState(0, Qt::Checked);
        }
        const bool accept = !take.isEmpty() || !seen->cancelIsDefault;
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    };
}

} // namespace

void TestConfigIdentity::importComparesWithInstrument_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<QString>("model"); // the connected instrument's item list
    QTest::addColumn<Changes>("changes"); // made to a recorder's export
    QTest::addColumn<QStringList>("warning"); // what the warning names; empty: no warning
    QTest::addColumn<QStringList>("checked"); // by default
    QTest::addColumn<QStringList>("take"); // ticked by the operator, then OK; none: Enter
    QTest::addColumn<QList<int>>("written");

    const Changes ownChanges{{"设备编号", "33"}, {"采样间隔", "20s"}, {"设备时间", "2020-01-01 00:00:00"}};
    const QStringList ownChecked{"设备编号: 33", "采样间隔: 20s"};
    for (Transport transport : {Transport::Udp, Transport::Pty}) {
        const char* over = transport == Transport::Udp ? "udp" : "pty";
        QTest::addRow("own instrument %s", over)
            << transport << "ZQ-200" << ownChanges << QStringList() << ownChecked << QStringList() << QList<int>{4, 10};
        QTest::addRow("other model %s", over) << transport << "ZQ-310" << ownChanges << QStringList{"ZQ-200", "ZQ-310"}
                                              << QStringList() << QStringList() << QList<int>();
    }
    // Taken anyway, row by row: the rows that name the instrument stay out of it.
    QTest::newRow("other serial taken") << Transport::Udp << "ZQ-200"
                                        << Changes{{"序列号", "ZQ2026000000001"},
                                                   {"设备名称", "别的记录仪"},
                                                   {"设备编号", "33"}}
                                        << QStringList{"ZQ2026000000001", "ZQ2026120700042"} << QStringList()
                                        << QStringList{"设备编号: 33"} << QList<int>{4};
}

// A recorder's export, changed, imported with an instrument of each kind: the own instrument is
// offered exactly the changed rows, its clock unchecked; a foreign file is named as such and Enter
// cancels it, the instrument staying as it was.
void TestConfigIdentity::importComparesWithInstrument()
{
    QFETCH(Transport, transport);
    QFETCH(QString, model);
    QFETCH(Changes, changes);
    QFETCH(QStringList, warning);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, take);
    QFETCH(QList<int>, written);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(transport, InstrumentSimulator::sampleItems(model));
    QVERIFY(sim.started);
    const QStringList before = sim.items();
    MainWindow window;
    QVERIFY(refresh(window));

    dir.writeFile("recorder.csv", csvOf(InstrumentSimulator::sampleItems("ZQ-200"), changes));
    SeenComparison seen;
    prompter.nextFileName(dir.filePath("recorder.csv"));
    prompter.answerNext(answerComparison(&seen, take));
    trigger(window, "import_2");
    QVERIFY(seen.shown);
    QCOMPARE(seen.warned, !warning.isEmpty());
    QCOMPARE(seen.cancelIsDefault, !warning.isEmpty());
    for (const QString& named : warning)
        QVERIFY2(seen.warning.contains(named), qPrintable(seen.warning));
    QCOMPARE(seen.refused > 10, model != "ZQ-200");
    QCOMPARE(seen.checked, checked);
    const bool taken = !take.isEmpty() || warning.isEmpty();
    QCOMPARE(window.configModel()->changedCount(), taken ? written.size() : 0);

    prompter.pressNext(QMessageBox::Yes);
    trigger(window, "write_changed");
    QCOMPARE(writtenIndices(sim), written);
    if (written.isEmpty())
        QCOMPARE(sim.items(), before);
}

void TestConfigIdentity::importBeforeReadAsksToRead()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp);
    QVERIFY(sim.started);
    MainWindow window;
    dir.writeFile("recorder.csv", csvOf(InstrumentSimulator::sampleItems("ZQ-200")));
    prompter.nextFileName(dir.filePath("recorder.csv"));
    trigger(window, "import_2");
    QCOMPARE(prompter.texts(), QStringList{"导入前须先读取设备的配置, 以便与文件比较。\n请先刷新, 再导入。"});
    QCOMPARE(shownRowCount(window), 0);
    QCOMPARE(sim->requestCount(), 0);
}

// Write all lists every row it writes, old -> new, and sends nothing when the answer is No; the
// rows that name the instrument are not among them.
void TestConfigIdentity::writeAllShowsItsList()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp, {"设备名称:东", "设备型号:M7", "序列号:S1", "温度:20", "湿度:30", "复位"});
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    window.configModel()->setValue(4, "35");
    QString text;
    QString title;
    prompter.answerNext([&](QDialog& dialog) {
        auto& box = static_cast<QMessageBox&>(dialog);
        text = box.text();
        title = box.windowTitle();
        return int(QMessageBox::No);
    });
    const int requests = sim->requestCount();
    trigger(window, "save");
    QCOMPARE(title, QStringLiteral("写入全部配置"));
    QCOMPARE(text, QStringLiteral("将以下 2 项写入设备:\n温度: 20 → 20\n湿度: 30 → 35"));
    QCOMPARE(sim->requestCount(), requests);

    prompter.pressNext(QMessageBox::Yes);
    trigger(window, "save");
    QCOMPARE(writtenIndices(sim), (QList<int>{3, 4}));
    QCOMPARE(sim.items().at(4), QStringLiteral("湿度:35"));
}

QTEST_MAIN(TestConfigIdentity)
#include "tst_configidentity.moc"
