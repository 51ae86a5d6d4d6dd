#include "lineview/linemodel.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

// How many lines a frame moves between two looks at the clock.
constexpr int LinesPerClockLook = 64;

} // namespace

LineModel::LineModel(QObject* parent) : QAbstractListModel(parent)
{
    frameTimer.setInterval(FrameMs);
    connect(&frameTimer, &QTimer::timeout, this, [this] { drawFrame(true); });
}

void LineModel::setCapacity(int lines)
{
    beginResetModel();
    store.setCapacity(lines);
    rebuildMatches();
    endResetModel();
}

void LineModel::setFormatter(Formatter formatter)
{
    beginResetModel();
    format = std::move(formatter);
    rebuildMatches();
    endResetModel();
}

void LineModel::enqueue(const QByteArrayList& lines, qint64 stampMs, quint8 tag)
{
    for (const QByteArray& line : lines)
        pending.push_back(StoredLine{line, stampMs, tag});
    // Lines that the store would drop at once need not wait: the owner has counted and logged them.
    if (capacity() > 0 && int(pending.size()) > capacity())
        removeFromQueue(int(pending.size()) - capacity());
    if (!frameTimer.isActive())
        frameTimer.start();
}

void LineModel::drainAll()
{
    drawFrame(false);
}

void LineModel::setPaused(bool on)
{
    paused = on;
    if (!paused && !pending.empty() && !frameTimer.isActive())
        frameTimer.start();
}

void LineModel::setFilter(const QString& text)
{
    if (text == filterText)
        return;
    beginResetModel();
    filterText = text;
    rebuildMatches();
    endResetModel();
}

void LineModel::clear()
{
    beginResetModel();
    store.clear();
    matchNumbers.clear();
    removeFromQueue(int(pending.size()));
    endResetModel();
    reportTaken();
}

void LineModel::refreshTexts()
{
    if (filterText.isEmpty()) {
        // The same rows: a view keeps its place and selection.
        if (store.size() > 0)
            emit dataChanged(index(0), index(store.size() - 1));
        return;
    }
    beginResetModel();
    rebuildMatches();
    endResetModel();
}

const StoredLine& LineModel::lineAt(int row) const
{
    if (filterText.isEmpty())
        return store.at(row);
    return store.at(int(matchNumbers[size_t(row)] - store.firstNumber()));
}

QString LineModel::textAt(int row) const
{
    const StoredLine& line = lineAt(row);
    return format ? format(line) : QString::fromUtf8(line.bytes);
}

int LineModel::find(const QString& text, int from, bool forward) const
{
    const int rows = rowCount();
    if (text.isEmpty() || rows == 0)
        return -1;
    if (from < 0 || from >= rows)
        from = forward ? rows - 1 : 0;
    for (int step = 1; step <= rows; ++step) {
        const int row = ((forward ? from + step : from - step) % rows + rows) % rows;
        if (textAt(row).contains(text, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

int LineModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return filterText.isEmpty() ? store.size() : int(matchNumbers.size());
}

QVariant LineModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    return textAt(index.row());
}

void LineModel::drawFrame(bool withBudget)
{
    if (paused) {
        // Nothing is drawn, but every line waiting counts as taken: the worker goes on.
        taken += int(pending.size()) - pendingReported;
        pendingReported = int(pending.size());
        frameTimer.stop();
        reportTaken();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    std::vector<StoredLine> batch;
    std::vector<bool> matched;
    while (!pending.empty()) {
        if (withBudget && batch.size() % LinesPerClockLook == 0 && !batch.empty() && clock.elapsed() >= BudgetMs)
            break;
        batch.push_back(std::move(pending.front()));
        removeFromQueue(1);
        if (!filterText.isEmpty())
            matched.push_back(matches(batch.back()));
    }
    append(batch, matched);
    if (pending.empty())
        frameTimer.stop();
    reportTaken();
}

void LineModel::append(std::vector<StoredLine>& batch, const std::vector<bool>& matched)
{
    const int count = int(batch.size());
    if (count == 0)
        return;
    const bool filtered = !filterText.isEmpty();
    if (capacity() > 0 && count >= capacity()) {
        // The frame replaces everything held.
        beginResetModel();
        for (int i = 0; i < count; ++i) {
            if (filtered && matched[size_t(i)])
                matchNumbers.push_back(store.endNumber());
            store.append(std::move(batch[size_t(i)]));
        }
        while (!matchNumbers.empty() && matchNumbers.front() < store.firstNumber())
            matchNumbers.pop_front();
        endResetModel();
        return;
    }

    const int drop = capacity() > 0 ? qMax(0, store.size() + count - capacity()) : 0;
    if (drop > 0) {
        const qint64 newFirst = store.firstNumber() + drop;
        int leaving = drop;
        if (filtered) {
            leaving = 0;
            while (leaving < int(matchNumbers.size()) && matchNumbers[size_t(leaving)] < newFirst)
                ++leaving;
        }
        if (leaving > 0)
            beginRemoveRows(QModelIndex(), 0, leaving - 1);
        store.dropOldest(drop);
        if (filtered)
            matchNumbers.erase(matchNumbers.begin(), matchNumbers.begin() + leaving);
        if (leaving > 0)
            endRemoveRows();
    }

    int arriving = count;
    if (filtered)
        arriving = int(std::count(matched.begin(), matched.end(), true));
    const int rows = rowCount();
    if (arriving > 0)
        beginInsertRows(QModelIndex(), rows, rows + arriving - 1);
    for (int i = 0; i < count; ++i) {
        if (filtered && matched[size_t(i)])
            matchNumbers.push_back(store.endNumber());
        store.append(std::move(batch[size_t(i)]));
    }
    if (arriving > 0)
        endInsertRows();
}

void LineModel::removeFromQueue(int count)
{
    count = qMin(count, int(pending.size()));
    taken += qMax(0, count - pendingReported);
    pendingReported = qMax(0, pendingReported - count);
    pending.erase(pending.begin(), pending.begin() + count);
}

bool LineModel::matches(const StoredLine& line) const
{
    return (format ? format(line) : QString::fromUtf8(line.bytes)).contains(filterText, Qt::CaseInsensitive);
}

void LineModel::rebuildMatches()
{
    matchNumbers.clear();
    if (filterText.isEmpty())
        return;
    for (int row = 0; row < store.size(); ++row) {
        if (matches(store.at(row)))
            matchNumbers.push_back(store.firstNumber() + row);
    }
}

void LineModel::reportTaken()
{
    if (taken <= 0)
        return;
    const int count = taken;
    taken = 0;
    emit linesTaken(count);
}
