// Labels: fast
// The firmware transfer as a plain function, against the instrument in memory as datagrams and as
// a byte stream: what reaches the loader, the steps and progress it reports, and how each step's
// failure ends the run (and whether the instrument is still taken out of update mode). The dialog's
// tests keep the operator's path over the real lines; the waits here cost no real time.
#include "firmware/firmwaretransfer.h"
#include "firmware/packagewriter.h"
#include "link/devicerequests.h"
#include "tests/support/firmwareimage.h"
#include "tests/support/memoryinstrument.h"

#include <QTest>

using Sim = InstrumentSimulator;

namespace {

DEncryptInfo packageOf(const QString& model, const QByteArray& image)
{
    DEncryptInfo package;
    package.fields = PackageWriter::fields(QStringLiteral("流量计"), model, QStringLiteral("V1.0"), image);
    return package;
}

// Notes what the run reports; answers the question before the erase with go.
struct NotingSink : UpdateSink
{
    void stage(UpdateStage stage, int current, int total) override
    {
        if (stage != UpdateStage::Writing)
            stages.append(stage);
        else if (current == 1)
            stages.append(stage);
        lastPage = stage == UpdateStage::Writing ? current : lastPage;
        pagesTotal = stage == UpdateStage::Writing ? total : pagesTotal;
    }
    void progress(int percent) override { percents.append(percent); }
    void identified(const QString& model, bool matches) override
    {
        identifiedModel = model;
        modelMatches = matches;
    }
    bool proceed(const QString&) override
    {
        ++questions;
        return go;
    }
    void decided(const UpdateOutcome&) override { ++decisions; }

    bool go = true;
    QList<UpdateStage> stages; // Writing once
    int lastPage = 0;
    int pagesTotal = 0;
    QList<int> percents;
    QString identifiedModel;
    bool modelMatches = false;
    int questions = 0;
    int decisions = 0;
};

void addTransports()
{
    QTest::addColumn<bool>("datagrams");
}

} // namespace

class TestFirmwareTransfer : public QObject
{
    Q_OBJECT
private slots:
    void wholeTransfer_data();
    void wholeTransfer();
    void failures_data();
    void failures();
};

void TestFirmwareTransfer::wholeTransfer_data()
{
    addTransports();
    QTest::addColumn<int>("size");
    for (const bool datagrams : {true, false}) {
        const char* via = datagrams ? "datagrams" : "stream";
        QTest::addRow("%s, one page", via) << datagrams << 1024;
        QTest::addRow("%s, one byte more", via) << datagrams << 1025;
        QTest::addRow("%s, 300 KiB, page numbers wrap", via) << datagrams << 300 * 1024;
    }
}

// The loader holds the image, the last page's tail is the erased state of flash, and the progress
// tells the offset at which each acknowledged page starts.
void TestFirmwareTransfer::wholeTransfer()
{
    QFETCH(bool, datagrams);
    QFETCH(int, size);
    MemoryInstrument instrument;
    instrument.setModel(QStringLiteral("ZQ-100"));
    const QByteArray image = firmwareImage(size);
    NotingSink sink;
    const UpdateOutcome outcome = FirmwareTransfer::run(instrument.settings(datagrams),
                                                        packageOf(QStringLiteral("ZQ-100"), image), StopToken(), sink);

    QVERIFY(outcome.ok());
    const int pages = (size + FirmwarePageSize - 1) / FirmwarePageSize;
    QCOMPARE(outcome.pages, pages);
    QVERIFY(outcome.erased);
    QCOMPARE(instrument.erasedSize(), quint32(size));
    QCOMPARE(instrument.receivedPages(), image + QByteArray(pages * FirmwarePageSize - size, char(0xFF)));
    QCOMPARE(instrument.receivedImage(), image);
    QCOMPARE(instrument.requestCount(Sim::WritePage), pages);
    QCOMPARE(instrument.endUpdateCount(), 2);

    QCOMPARE(sink.stages,
             (QList<UpdateStage>{UpdateStage::Identifying, UpdateStage::Erasing, UpdateStage::Writing,
                                 UpdateStage::Finishing}));
    QCOMPARE(sink.lastPage, pages);
    QCOMPARE(sink.pagesTotal, pages);
    QCOMPARE(sink.identifiedModel, QStringLiteral("ZQ-100"));
    QCOMPARE(sink.questions, 1);
    QCOMPARE(sink.decisions, 1);
    QCOMPARE(sink.percents.size(), pages + 1);
    QCOMPARE(sink.percents.first(), 0);
    for (int page = 0; page < pages; ++page)
        QCOMPARE(sink.percents.at(page + 1), int(qint64(page) * FirmwarePageSize * 100 / size));
}

void TestFirmwareTransfer::failures_data()
{
    addTransports();
    QTest::addColumn<QString>("model"); // what the instrument names
    QTest::addColumn<int>("command"); // the fault's request
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("count"); // of the fault
    QTest::addColumn<int>("skip"); // requests of its command answered before it
    QTest::addColumn<bool>("go"); // the answer to the question before the erase
    QTest::addColumn<int>("failure");
    QTest::addColumn<bool>("erased");
    QTest::addColumn<int>("page"); // the page not acknowledged
    QTest::addColumn<int>("endUpdates"); // the instrument taken out of update mode (twice) or not
    QTest::addColumn<int>("identifies");
    const QString model = QStringLiteral("ZQ-100");
    const int none = Sim::AnyCommand;
    for (const bool datagrams : {true, false}) {
        const char* via = datagrams ? "datagrams" : "stream";
        QTest::addRow("%s: identify unanswered once, retried", via)
            << datagrams << model << int(Sim::ReadDeviceId) << int(Sim::NoReply) << 1 << 0 << true
            << int(UpdateFailure::None) << true << 0 << 2 << 2;
        QTest::addRow("%s: identify late once, retried", via)
            << datagrams << model << int(Sim::ReadDeviceId) << int(Sim::DelayReply) << 1 << 0 << true
            << int(UpdateFailure::None) << true << 0 << 2 << 2;
        QTest::addRow("%s: no identity twice", via)
            << datagrams << model << int(Sim::ReadDeviceId) << int(Sim::NoReply) << 2 << 0 << true
            << int(UpdateFailure::NoIdentity) << false << 0 << 2 << 2;
        QTest::addRow("%s: other model", via) << datagrams << QStringLiteral("ZQ-200") << none << 0 << 0 << 0 << true
                                              << int(UpdateFailure::WrongModel) << false << 0 << 2 << 1;
        QTest::addRow("%s: model with a pattern character", via)
            << datagrams << QStringLiteral("ZQ.100") << none << 0 << 0 << 0 << true << int(UpdateFailure::WrongModel)
            << false << 0 << 2 << 1;
        QTest::addRow("%s: declined", via) << datagrams << model << none << 0 << 0 << 0 << false
                                           << int(UpdateFailure::Declined) << false << 0 << 2 << 1;
        QTest::addRow("%s: erase unanswered", via)
            << datagrams << model << int(Sim::EraseFlash) << int(Sim::NoReply) << 1 << 0 << true
            << int(UpdateFailure::EraseFailed) << true << 0 << 0 << 1;
        QTest::addRow("%s: third page unanswered", via)
            << datagrams << model << int(Sim::WritePage) << int(Sim::NoReply) << -1 << 2 << true
            << int(UpdateFailure::PageFailed) << true << 3 << 0 << 1;
        QTest::addRow("%s: page with another code", via)
            << datagrams << model << int(Sim::WritePage) << int(Sim::OtherCommand) << 1 << 0 << true
            << int(UpdateFailure::PageFailed) << true << 1 << 0 << 1;
        QTest::addRow("%s: second page late past its wait", via)
            << datagrams << model << int(Sim::WritePage) << int(Sim::DelayReply) << 1 << 1 << true
            << int(UpdateFailure::PageFailed) << true << 2 << 0 << 1;
    }
}

void TestFirmwareTransfer::failures()
{
    QFETCH(bool, datagrams);
    QFETCH(QString, model);
    QFETCH(int, command);
    QFETCH(int, kind);
    QFETCH(int, count);
    QFETCH(int, skip);
    QFETCH(bool, go);
    QFETCH(int, failure);
    QFETCH(bool, erased);
    QFETCH(int, page);
    QFETCH(int, endUpdates);
    QFETCH(int, identifies);
    constexpr int WaitMs = 1000;
    MemoryInstrument instrument;
    instrument.setModel(model);
    if (command != Sim::AnyCommand) {
        // A late answer comes after the wait, and after the next request's answer.
        const Sim::Fault fault{Sim::FaultKind(kind), command, count, 3 * WaitMs / 2, 2};
        instrument.addFaultAfter(skip, fault);
    }
    const QByteArray image = firmwareImage(2500); // three pages
    NotingSink sink;
    sink.go = go;
    const UpdateOutcome outcome = FirmwareTransfer::run(
        instrument.settings(datagrams), packageOf(QStringLiteral("ZQ-100"), image), StopToken(), sink, WaitMs);

    QCOMPARE(int(outcome.failure), failure);
    QCOMPARE(outcome.erased, erased);
    QCOMPARE(outcome.page, page);
    QCOMPARE(instrument.requestCount(Sim::ReadDeviceId), identifies);
    QCOMPARE(instrument.endUpdateCount(), endUpdates);
    QCOMPARE(sink.decisions, 1);
    // Nothing is erased before the model has been named and found fitting, and the question asked.
    QCOMPARE(instrument.requestCount(Sim::EraseFlash), erased ? 1 : 0);
    QCOMPARE(sink.questions,
             failure == int(UpdateFailure::WrongModel) || failure == int(UpdateFailure::NoIdentity) ? 0 : 1);
    if (failure == int(UpdateFailure::WrongModel)) {
        QCOMPARE(outcome.deviceModel, model);
        QVERIFY(!sink.modelMatches);
    }
    // A page not acknowledged is the last one sent: none goes out after it.
    if (page > 0)
        QCOMPARE(instrument.requestCount(Sim::WritePage), page);
    if (failure == int(UpdateFailure::None))
        QCOMPARE(instrument.receivedImage(), image);
}

QTEST_GUILESS_MAIN(TestFirmwareTransfer)
#include "tst_firmwaretransfer.moc"
