#include "config/ui/elidedlabel.h"

#include <QPainter>
#include <QStyle>

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, int keptEms, QWidget* parent)
    : QLabel(parent), elideMode(mode), keptEms(keptEms)
{
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setWholeText(const QString& text)
{
    setText(text);
    setToolTip(text);
}

QString ElidedLabel::shownText() const
{
    const int width = contentsRect().width();
    if (text() != cutFrom || width != cutWidth || font() != cutFont) {
        cutFrom = text();
        cutWidth = width;
        cutFont = font();
        cut = fontMetrics().elidedText(cutFrom, elideMode, width);
    }
    return cut;
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QSize whole = QLabel::minimumSizeHint();
    const QMargins margins = contentsMargins();
    const int kept = fontMetrics().horizontalAdvance(QLatin1Char('M')) * keptEms + margins.left() + margins.right();
    return QSize(qMin(whole.width(), kept), whole.height());
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(), int(alignment()) | Qt::TextSingleLine, palette(), isEnabled(),
                          shownText(), foregroundRole());
}
