#pragma once
// The monitor dialog in front of the simulator, for the monitor tests: config.ini points at the
// instrument over UDP or the pty, the instrument sends only the bytes a test puts on its debug
// output, and the boxes are answered by a ScriptedPrompter.

#include "link/linktimings.h"
#include "monitor/ui/monitordialog.h"
#include "sim/instrumentsimulator.h"
#include "tests/support/simfixture.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class MonitorRig
{
public:
    explicit MonitorRig(bool udp)
    {
        ready = instrument.isReady();
        if (!ready)
            return;
        udp ? instrument.useUdp() : instrument.useSerial();
        // Faulty answers cost a fraction of a second, not ten.
        LinkTimings timings;
        timings.writeItemMs = 700;
        timings.serialPieceGapMs = 100;
        LinkTimings::install(&timings);
        sim()->setDebugLineCount(0);
        dialog.show();
    }
    ~MonitorRig() { LinkTimings::install(nullptr); }

    InstrumentSimulator* sim() const { return instrument.sim(); }
    template <typename T = QPushButton>
    T* widget(const char* name) { return dialog.findChild<T*>(QLatin1String(name)); }
    // The rows of the view, each ended by a line feed.
    QString text()
    {
        QString shown;
        for (int row = 0; row < dialog.lineModel().rowCount(); ++row)
            shown += dialog.lineModel().textAt(row) + QLatin1Char('\n');
        return shown;
    }

    void press(const char* button) { QTest::mousePress(widget(button), Qt::LeftButton); QTest::mouseRelease(widget(button), Qt::LeftButton); }
    // Presses Start and waits until the worker listens.
    bool startListening()
    {
        const int before = listening.count();
        press("bntStart");
        return settle(QTest::qWaitFor([&] { return listening.count() > before; }, 5000));
    }
    bool waitFinished()
    {
        return settle(QTest::qWaitFor([&] { return finished.count() > 0 && !dialog.monitorThread().isRunning(); }, 5000));
    }
    // The spies count in the worker's thread; what it emitted before is still queued for the dialog.
    static bool settle(bool reached)
    {
        QCoreApplication::processEvents();
        return reached;
    }
    // Waits until the text box holds this many lines (drawn, not only received).
    bool waitLines(int lines)
    {
        return QTest::qWaitFor([&] { return dialog.shownLineCount() >= lines; }, 5000);
    }
    // "[yyyy-MM-dd hh:mm:ss.zzz][n] : " as a pattern, with the byte count given.
    static QString stampPattern(const QString& bytes)
    {
        return QStringLiteral("\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\]\\[%1\\] : ").arg(bytes);
    }
    static QString stampPattern(int bytes) { return stampPattern(QString::number(bytes)); }
    // A udp and a pty row.
    static void addTransports()
    {
        QTest::addColumn<bool>("udp");
        QTest::newRow("udp") << true;
        QTest::newRow("pty") << false;
    }
    bool idle() { return widget("bntStart")->isEnabled() && !widget("bntStop")->isEnabled() && widget<QCheckBox>("ckDebug")->isEnabled(); }

    WorkDir dir;
    SimFixture instrument;
    ScriptedPrompter prompter;
    MonitorDialog dialog;
    QSignalSpy listening{&dialog.monitorThread(), SIGNAL(signalListening())};
    QSignalSpy finished{&dialog.monitorThread(), SIGNAL(finished())};
    bool ready = false;
};
