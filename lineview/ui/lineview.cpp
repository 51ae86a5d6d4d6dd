#include "lineview/ui/lineview.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

// Room left of the text.
constexpr int Margin = 4;

} // namespace

LineView::LineView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &LineView::scrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
    updateScrollRange();
}

void LineView::setModel(QAbstractItemModel* model)
{
    if (source)
        disconnect(source, nullptr, this, nullptr);
    source = model;
    if (source) {
        connect(source, &QAbstractItemModel::rowsInserted, this, [this] { rowsInserted(); });
        connect(source, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex&, int first, int last) { rowsRemoved(first, last); });
        connect(source, &QAbstractItemModel::modelReset, this, &LineView::modelReset);
        connect(source, &QAbstractItemModel::layoutChanged, this, &LineView::modelReset);
        connect(source, &QAbstractItemModel::dataChanged, viewport(), [this] { viewport()->update(); });
    }
    modelReset();
}

int LineView::selectionStart() const
{
    return anchor < 0 || current < 0 ? -1 : qMin(anchor, current);
}

int LineView::selectionEnd() const
{
    return anchor < 0 || current < 0 ? -1 : qMax(anchor, current);
}

void LineView::selectRow(int row)
{
    anchor = current = (row >= 0 && row < rows()) ? row : -1;
    if (current >= 0)
        ensureVisible(current);
    viewport()->update();
}

int LineView::firstVisibleRow() const
{
    return rows() == 0 ? -1 : verticalScrollBar()->value();
}

int LineView::lastVisibleRow() const
{
    return rows() == 0 ? -1 : qMin(rows() - 1, verticalScrollBar()->value() + visibleRows() - 1);
}

QString LineView::selectedText() const
{
    QStringList lines;
    for (int row = selectionStart(); row >= 0 && row <= selectionEnd() && row < rows(); ++row)
        lines.append(rowText(row));
    return lines.join(QLatin1Char('\n'));
}

void LineView::setFollowing(bool on)
{
    if (on)
        setScroll(verticalScrollBar()->maximum());
    if (following == on)
        return;
    following = on;
    emit followingChanged(following);
}

void LineView::copy()
{
    if (selectionStart() >= 0)
        QGuiApplication::clipboard()->setText(selectedText());
}

void LineView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int height = rowHeight();
    const int first = verticalScrollBar()->value();
    const int left = Margin - horizontalScrollBar()->value();
    const int ascent = fontMetrics().ascent();
    const int count = rows();
    int widestNow = widest;
    for (int i = 0; i * height < viewport()->height() && first + i < count; ++i) {
        const int row = first + i;
        QString text = rowText(row);
        if (text.size() > MaxDrawnChars)
            text.truncate(MaxDrawnChars);
        const QRect band(0, i * height, viewport()->width(), height);
        const bool selected = row >= selectionStart() && row <= selectionEnd() && selectionStart() >= 0;
        if (selected)
            painter.fillRect(band, palette().brush(QPalette::Highlight));
        painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(left, band.top() + ascent, text);
        widestNow = qMax(widestNow, fontMetrics().horizontalAdvance(text) + 2 * Margin);
    }
    if (widestNow != widest) {
        widest = widestNow;
        horizontalScrollBar()->setRange(0, qMax(0, widest - viewport()->width()));
    }
}

void LineView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void LineView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const int row = rowAt(event->pos().y());
    if (row < 0)
        return;
    if (!(event->modifiers() & Qt::ShiftModifier) || anchor < 0)
        anchor = row;
    current = row;
    viewport()->update();
}

void LineView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || anchor < 0 || rows() == 0)
        return;
    // Dragging past the edge scrolls on.
    const int y = event->pos().y();
    current = qBound(0, verticalScrollBar()->value() + (y < 0 ? y / rowHeight() - 1 : y / rowHeight()), rows() - 1);
    ensureVisible(current);
    viewport()->update();
}

void LineView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        copy();
    } else if (event == QKeySequence::SelectAll) {
        anchor = rows() > 0 ? 0 : -1;
        current = rows() - 1;
        viewport()->update();
    } else if (event == QKeySequence::MoveToStartOfDocument) {
        verticalScrollBar()->setValue(0);
    } else if (event == QKeySequence::MoveToEndOfDocument) {
        setFollowing(true);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void LineView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        widest = 0;
        updateScrollRange();
    }
}

void LineView::rowsInserted()
{
    updateScrollRange();
    viewport()->update();
}

void LineView::rowsRemoved(int first, int last)
{
    const int count = last - first + 1;
    auto shifted = [&](int row) { return row > last ? row - count : row >= first ? -1 : row; };
    anchor = shifted(anchor);
    current = shifted(current);
    if (anchor < 0 || current < 0)
        anchor = current = -1;
    // The rows in sight stay in sight while older ones leave.
    const int value = verticalScrollBar()->value();
    if (!following && first < value)
        setScroll(value - qMin(count, value - first));
    updateScrollRange();
    viewport()->update();
}

void LineView::modelReset()
{
    anchor = current = -1;
    updateScrollRange();
    if (following)
        setScroll(verticalScrollBar()->maximum());
    viewport()->update();
}

void LineView::updateScrollRange()
{
    adjusting = true;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, qMax(0, rows() - visibleRows()));
    bar->setPageStep(visibleRows());
    bar->setSingleStep(1);
    horizontalScrollBar()->setRange(0, qMax(0, widest - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth() * 4);
    if (following)
        bar->setValue(bar->maximum());
    adjusting = false;
}

void LineView::setScroll(int value)
{
    adjusting = true;
    verticalScrollBar()->setValue(value);
    adjusting = false;
    viewport()->update();
}

void LineView::scrolled(int value)
{
    if (!adjusting) {
        const bool atEnd = value >= verticalScrollBar()->maximum();
        if (atEnd != following) {
            following = atEnd;
            emit followingChanged(following);
        }
    }
    viewport()->update();
}

void LineView::ensureVisible(int row)
{
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value())
        bar->setValue(row);
    else if (row > bar->value() + visibleRows() - 1)
        bar->setValue(row - visibleRows() + 1);
}

int LineView::rowAt(int y) const
{
    const int row = verticalScrollBar()->value() + y / rowHeight();
    return y >= 0 && row < rows() ? row : -1;
}

int LineView::rowHeight() const
{
    return qMax(1, fontMetrics().lineSpacing());
}

int LineView::visibleRows() const
{
    return qMax(1, viewport()->height() / rowHeight());
}

int LineView::rows() const
{
    return source ? source->rowCount() : 0;
}

QString LineView::rowText(int row) const
{
    return source ? source->data(source->index(row, 0)).toString() : QString();
}
