// Labels: fast gui
#include "lineview/linemodel.h"
#include "lineview/ui/lineview.h"

#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

// The bounded line view without a link: which lines a store and its model hold after batches at
// any capacity, filter and pause, that every line is reported taken exactly once (the worker's flow
// control counts on it), and that the view keeps the rows in sight when it does not follow.
class TestLineView : public QObject
{
    Q_OBJECT
private slots:
    void storeKeepsNewest_data();
    void storeKeepsNewest();
    void modelFrames_data();
    void modelFrames();
    void find_data();
    void find();
    void viewFollowsAndHolds();
};

namespace {

QByteArrayList numbered(int from, int count)
{
    QByteArrayList lines;
    for (int i = from; i < from + count; ++i)
        lines.append("line " + QByteArray::number(i));
    return lines;
}

QStringList rows(const LineModel& model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.data(model.index(row)).toString());
    return texts;
}

QStringList names(int from, int to)
{
    QStringList texts;
    for (int i = from; i <= to; ++i)
        texts.append(QStringLiteral("line %1").arg(i));
    return texts;
}

} // namespace

void TestLineView::storeKeepsNewest_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("appended");
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("firstNumber");

    QTest::newRow("no limit") << 0 << 1000 << 1000 << qint64(0);
    QTest::newRow("below the limit") << 10 << 7 << 7 << qint64(0);
    QTest::newRow("at the limit") << 10 << 10 << 10 << qint64(0);
    QTest::newRow("beyond the limit") << 10 << 25 << 10 << qint64(15);
    QTest::newRow("limit of one") << 1 << 3 << 1 << qint64(2);
}

void TestLineView::storeKeepsNewest()
{
    QFETCH(int, capacity);
    QFETCH(int, appended);
    QFETCH(int, size);
    QFETCH(qint64, firstNumber);
    LineStore store(capacity);
    int dropped = 0;
    for (const QByteArray& line : numbered(0, appended))
        dropped += store.append(StoredLine{line, 0, 0});
    QCOMPARE(store.size(), size);
    QCOMPARE(store.firstNumber(), firstNumber);
    QCOMPARE(dropped, appended - size);
    QCOMPARE(store.at(size - 1).bytes, "line " + QByteArray::number(appended - 1));
    QCOMPARE(store.at(0).bytes, "line " + QByteArray::number(firstNumber));
    // Lowering the limit drops the oldest; clearing keeps the numbers going.
    if (size > 1) {
        QCOMPARE(store.setCapacity(size - 1), 1);
        QCOMPARE(store.at(0).bytes, "line " + QByteArray::number(firstNumber + 1));
    }
    const qint64 end = store.endNumber();
    store.clear();
    QCOMPARE(store.firstNumber(), end);
    QVERIFY(store.isEmpty());
}

void TestLineView::modelFrames_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<int>>("batches"); // lines per enqueue; a negative entry toggles the pause
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("all fit") << 100 << QString() << QList<int>{3, 4} << names(0, 6);
    QTest::newRow("oldest leave") << 5 << QString() << QList<int>{3, 4} << names(2, 6);
    QTest::newRow("one batch beyond the capacity") << 5 << QString() << QList<int>{12} << names(7, 11);
    QTest::newRow("filter keeps matching lines")
        << 100 << "LINE 1" << QList<int>{12} << (QStringList{"line 1"} + names(10, 11));
    QTest::newRow("filter with the oldest leaving")
        << 10 << "1" << QList<int>{8, 8}
        << (QStringList{"line 10", "line 11", "line 12", "line 13", "line 14", "line 15"});
    QTest::newRow("filter matching nothing") << 10 << "zz" << QList<int>{8, 8} << QStringList();
    QTest::newRow("paused, then resumed") << 100 << QString() << QList<int>{2, -1, 3, -1, 1} << names(0, 5);
    QTest::newRow("paused beyond the capacity") << 4 << QString() << QList<int>{2, -1, 9, -1} << names(7, 10);
}

// Every line enqueued is reported taken once, whatever happened to it; the rows are the newest
// matching lines, and the model's signals stay consistent throughout (the tester fails otherwise).
void TestLineView::modelFrames()
{
    QFETCH(int, capacity);
    QFETCH(QString, filter);
    QFETCH(QList<int>, batches);
    QFETCH(QStringList, shown);
    LineModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setCapacity(capacity);
    model.setFilter(filter);
    int taken = 0;
    connect(&model, &LineModel::linesTaken, this, [&](int count) { taken += count; });

    int next = 0;
    QStringList rowsWhenPaused;
    for (int batch : batches) {
        if (batch < 0) {
            model.setPaused(!model.isPaused());
            if (model.isPaused())
                rowsWhenPaused = rows(model);
            continue;
        }
        model.enqueue(numbered(next, batch), 1000 + next);
        next += batch;
        // Frames run as the event loop turns; paused, the rows stay as they were.
        QVERIFY(QTest::qWaitFor([&] { return taken == next; }, 2000));
        if (model.isPaused())
            QCOMPARE(rows(model), rowsWhenPaused);
    }
    model.drainAll();
    QCOMPARE(rows(model), shown);
    QCOMPARE(taken, next);
    QCOMPARE(model.pendingCount(), 0);

    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(taken, next);
}

void TestLineView::find_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("found");
    // Rows "line 0" to "line 9", searched for "LINE 3": only row 3 matches, from wherever it starts.
    QTest::newRow("next from the start") << -1 << true << 3;
    QTest::newRow("next after a match goes round") << 3 << true << 3;
    QTest::newRow("previous from the end") << -1 << false << 3;
    QTest::newRow("previous before the match goes round") << 2 << false << 3;
}

void TestLineView::find()
{
    QFETCH(int, from);
    QFETCH(bool, forward);
    QFETCH(int, found);
    LineModel model;
    model.enqueue(numbered(0, 10), 0);
    model.drainAll();
    QCOMPARE(model.find(QStringLiteral("LINE 3"), from, forward), found);
    QCOMPARE(model.find(QStringLiteral("absent"), from, forward), -1);
    QCOMPARE(model.find(QString(), from, forward), -1);
}

// Following, the view shows the newest rows; scrolled up, the rows in sight stay while older ones
// leave the model, and scrolling back to the end follows again.
void TestLineView::viewFollowsAndHolds()
{
    LineModel model;
    model.setCapacity(200);
    LineView view;
    view.resize(300, 200);
    view.setModel(&model);
    view.show();
    QSignalSpy following(&view, &LineView::followingChanged);

    model.enqueue(numbered(0, 150), 0);
    model.drainAll();
    QVERIFY(view.isFollowing());
    QCOMPARE(view.lastVisibleRow(), 149);

    view.verticalScrollBar()->setValue(100);
    QVERIFY(!view.isFollowing());
    QCOMPARE(following.count(), 1);
    const QString topText = model.textAt(view.firstVisibleRow());
    model.enqueue(numbered(150, 120), 0); // 70 of the oldest leave
    model.drainAll();
    QCOMPARE(model.textAt(view.firstVisibleRow()), topText);
    QVERIFY(!view.isFollowing());

    view.selectRow(10);
    QCOMPARE(view.selectedText(), model.textAt(10));
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    QVERIFY(view.isFollowing());
    model.enqueue(numbered(270, 5), 0);
    model.drainAll();
    QCOMPARE(model.textAt(view.lastVisibleRow()), QStringLiteral("line 274"));
}

QTEST_MAIN(TestLineView)
#include "tst_lineview.moc"
