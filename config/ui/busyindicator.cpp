#include "config/ui/busyindicator.h"

#include "config/ui/elidedlabel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {
// Room for "正在写入 123/256 ……" whole; only a long item name gives way, after the connection bar.
constexpr int KeptEms = 16;
} // namespace

BusyIndicator::BusyIndicator(QWidget* parent)
    : QWidget(parent),
      labBusy(new ElidedLabel(Qt::ElideRight, KeptEms, this)),
      barBusy(new QProgressBar(this)),
      bntCancel(new QPushButton(this)),
      showDelay(new QTimer(this))
{
    setObjectName(QStringLiteral("busyIndicator"));
    labBusy->setObjectName(QStringLiteral("labBusy"));
    barBusy->setObjectName(QStringLiteral("barBusy"));
    bntCancel->setObjectName(QStringLiteral("bntCancel"));
    barBusy->setTextVisible(false);
    barBusy->setFixedWidth(80);
    barBusy->setMaximumHeight(14);
    bntCancel->setText(tr("取消"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(labBusy);
    layout->addWidget(barBusy);
    layout->addWidget(bntCancel);
    connect(bntCancel, &QPushButton::clicked, this, [this] {
        // One press is enough; the operation ends within a second.
        bntCancel->setEnabled(false);
        emit signalCancel();
    });
    showDelay->setSingleShot(true);
    showDelay->setInterval(ShowDelayMs);
    connect(showDelay, &QTimer::timeout, this, &BusyIndicator::showNote);
    hide();
}

void BusyIndicator::start(const QString& text)
{
    setProgress(text, 0, 0);
    bntCancel->setEnabled(true);
    showDelay->start();
}

void BusyIndicator::setProgress(const QString& text, int done, int total)
{
    pendingText = text;
    pendingDone = done;
    pendingTotal = total;
    if (!isHidden())
        applyProgress();
}

void BusyIndicator::showNote()
{
    applyProgress();
    show();
}

void BusyIndicator::applyProgress()
{
    labBusy->setWholeText(pendingText);
    // A progress bar repaints itself at once on each visible step; held back, it is painted with
    // the next frame instead, however many steps come before it.
    barBusy->setUpdatesEnabled(false);
    barBusy->setRange(0, qMax(0, pendingTotal));
    if (pendingTotal > 0)
        barBusy->setValue(qBound(0, pendingDone, pendingTotal));
    barBusy->setUpdatesEnabled(true);
}

void BusyIndicator::stop()
{
    showDelay->stop();
    hide();
}

QString BusyIndicator::text() const
{
    return pendingText;
}

void BusyIndicator::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        bntCancel->setText(tr("取消"));
    QWidget::changeEvent(event);
}
