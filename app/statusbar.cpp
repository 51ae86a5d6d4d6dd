#include "app/statusbar.h"

#include <QPainter>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOption>

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    // Repaint the whole bar when the message changes, so that no cut text stays behind.
    connect(this, &QStatusBar::messageChanged, this, [this] { update(); });
}

int StatusBar::messageRight() const
{
    // While a message shows, the notes in sight are the permanent ones.
    int right = width() - 12;
    for (const QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && !qobject_cast<const QSizeGrip*>(child) && child->x() > 0)
            right = qMin(right, child->x());
    }
    return right - fontMetrics().horizontalAdvance(QLatin1Char('M'));
}

QString StatusBar::shownMessage() const
{
    return fontMetrics().elidedText(currentMessage(), Qt::ElideRight, qMax(0, messageRight() - 6));
}

void StatusBar::paintEvent(QPaintEvent*)
{
    // As QStatusBar draws itself, but with the message cut to its room.
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
    for (const QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isVisible() || qobject_cast<const QSizeGrip*>(child))
            continue;
        QStyleOption frame;
        frame.rect = child->geometry().adjusted(-2, -1, 2, 1);
        frame.palette = palette();
        frame.state = QStyle::State_None;
        style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, child);
    }
    if (currentMessage().isEmpty())
        return;
    painter.setPen(palette().windowText().color());
    const QRect room(6, 0, qMax(0, messageRight() - 6), height());
    painter.drawText(room, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine, shownMessage());
}
