#pragma once
// The history dialog of one test, in its own working directory, with a prompter and the simulator.

#include "history/ui/historydata.h"
#include "link/devicetext.h"
#include "sim/historygenerator.h"
#include "tests/support/simfixture.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

enum class Transport { Udp, Pty };
Q_DECLARE_METATYPE(Transport)

inline void addTransportRows()
{
    QTest::addColumn<Transport>("transport");
    QTest::newRow("udp") << Transport::Udp;
    QTest::newRow("pty") << Transport::Pty;
}

struct HistoryRig
{
    explicit HistoryRig(Transport transport = Transport::Udp) : instrument(transport == Transport::Pty)
    {
        if (transport == Transport::Pty)
            instrument.useSerial();
        else
            instrument.useUdp();
        dialog = std::make_unique<HistoryData>();
        dialog->show();
    }

    InstrumentSimulator* sim() const { return instrument.sim(); }
    QPushButton* button(const char* name) const { return dialog->findChild<QPushButton*>(QLatin1String(name)); }
    QTableView* view() const { return dialog->findChild<QTableView*>(QStringLiteral("viewRecords")); }
    const RecordStore& records() const { return dialog->records(); }
    // The lines held, each with a line feed, as the raw CSV export writes them.
    QString text() const
    {
        QString all;
        for (int row = 0; row < records().lineCount(); ++row)
            all += records().line(row) + QLatin1Char('\n');
        return all;
    }
    // Fills the dialog as a query that brought these lines would.
    void setLines(const QString& lines) const
    {
        dialog->slotClearText();
        dialog->slotAddLines(lines);
    }
    int queries() const { return sim()->requestCount(InstrumentSimulator::QueryHistory); }

    // Picks the range in the date boxes and presses Query.
    void query(const QDate& start, const QDate& end) const
    {
        dialog->findChild<QDateEdit*>(QStringLiteral("dateStart"))->setDate(start);
        dialog->findChild<QDateEdit*>(QStringLiteral("dateEnd"))->setDate(end);
        QTest::mouseClick(button("bntQuery"), Qt::LeftButton);
    }

    // Waits for the run to end and for its last signals to reach the dialog.
    bool waitForRun(int timeoutMs = 8000) const
    {
        const bool ended = QTest::qWaitFor([this] { return !dialog->isQuerying(); }, timeoutMs);
        QCoreApplication::processEvents();
        return ended;
    }

    WorkDir dir;
    ScriptedPrompter prompter;
    SimFixture instrument;
    std::unique_ptr<HistoryData> dialog;
};

// The lines the dialog holds for the generator's answer, each with a line feed: the whole lines as
// sent, without their CR LF; bytes after the last line feed are no line.
inline QString shownText(const QDate& start, const QDate& end, int count, const QByteArray& tail = QByteArray())
{
    HistoryGenerator generator(start, end, count, tail);
    QByteArray bytes;
    for (QByteArray chunk = generator.next(4096); !chunk.isEmpty(); chunk = generator.next(4096))
        bytes += chunk;
    bytes.truncate(bytes.lastIndexOf('\n') + 1);
    QString text;
    for (const QByteArray& line : bytes.split('\n'))
        text += decodeDeviceText(line).remove(QLatin1Char('\r')) + QLatin1Char('\n');
    text.chop(1);
    return text;
}

// The bytes the generator sends for that answer, up to its last line feed, or all of them when
// the bytes after it are kept as a record: what the raw CSV must hold, byte for byte.
inline QByteArray sentLines(const QDate& start, const QDate& end, int count, const QByteArray& tail, bool tailKept)
{
    HistoryGenerator generator(start, end, count, tail);
    QByteArray bytes;
    for (QByteArray chunk = generator.next(4096); !chunk.isEmpty(); chunk = generator.next(4096))
        bytes += chunk;
    if (!tailKept)
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
    return bytes;
}
