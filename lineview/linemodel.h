#pragma once

#include "lineview/linestore.h"

#include <QAbstractListModel>
#include <QByteArrayList>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>

// A list model over a bounded store of lines, fed by a worker at any rate and drawn once a frame.
// Lines handed in wait in a queue; each frame moves as many of them as fit in a time budget into
// the store, with one insertion (and at most one removal of the oldest rows) per frame, so a view
// on top changes once a frame whatever the rate, and its cost stays that of the rows it shows.
//
// Use: enqueue() what the worker reports, connect linesTaken() to its flow control, give a
// formatter that turns a stored line into the row's text. With a filter set, only the lines whose
// text contains it are rows. Paused, lines keep being taken (and may be counted and logged by the
// owner) but the rows stay as they are until the pause ends.
class LineModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // One frame, and the part of it the queue may take.
    static constexpr int FrameMs = 16;
    static constexpr int BudgetMs = 8;

    using Formatter = std::function<QString(const StoredLine&)>;

    explicit LineModel(QObject* parent = nullptr);

    // How many lines are held (0: no limit); the oldest beyond it leave.
    void setCapacity(int lines);
    int capacity() const { return store.capacity(); }
    // The row text of a line; by default its bytes as UTF-8.
    void setFormatter(Formatter formatter);

    // Queues lines for the next frame, all with one stamp and tag.
    void enqueue(const QByteArrayList& lines, qint64 stampMs, quint8 tag = 0);
    // Lines waiting for a frame, and the stamp of the oldest of them (-1: none).
    int pendingCount() const { return int(pending.size()); }
    qint64 oldestPendingStamp() const { return pending.empty() ? -1 : pending.front().stampMs; }
    // Draws every waiting line now, without a budget (before a message box, at the end of a run).
    void drainAll();

    void setPaused(bool paused);
    bool isPaused() const { return paused; }
    // Case-insensitive; empty shows every line.
    void setFilter(const QString& text);
    QString filter() const { return filterText; }
    // Forgets the lines held and waiting.
    void clear();
    // The formatter now makes other texts of the same lines (another display form): the rows are
    // drawn anew where they are; with a filter, the rows are those whose new text matches.
    void refreshTexts();

    // Lines held, shown or not (the filter hides some).
    int heldCount() const { return store.size(); }
    const StoredLine& lineAt(int row) const;
    QString textAt(int row) const;
    // The next row after from (before it when backwards) whose text contains text, going round
    // the end; -1 when none does. from may be -1 (search from the start or end).
    int find(const QString& text, int from, bool forward) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    // After a frame: how many lines left the queue (drawn, or passed over for newer ones).
    void linesTaken(int count);

private:
    void drawFrame(bool withBudget);
    void append(std::vector<StoredLine>& batch, const std::vector<bool>& matched);
    void removeFromQueue(int count);
    bool matches(const StoredLine& line) const;
    void rebuildMatches();
    void reportTaken();

    LineStore store;
    std::deque<StoredLine> pending;
    int pendingReported = 0; // lines at the front of the queue already reported as taken
    int taken = 0; // taken this frame, not yet reported
    std::deque<qint64> matchNumbers; // with a filter: the numbers of the matching lines held
    QString filterText;
    Formatter format;
    QTimer frameTimer;
    bool paused = false;
};
