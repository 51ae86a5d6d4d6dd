#include "prompt/titlewidth.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <QVariant>

#include <cmath>

namespace {
// Set on a dialog once its layout holds the spacer, so running it twice does not add another.
const char* const FittedProperty = "zqTitleBarWidth";
} // namespace

int titleBarWidth(const QWidget& window)
{
    // The title bar's font is the system's, not the window's: allow a tenth more for it. Beside the
    // text: the icon with its margins and the close button, about seven lines of text high.
    const QFontMetrics metrics(window.font());
    const int text = int(std::ceil(metrics.horizontalAdvance(window.windowTitle()) * 1.1));
    return text + 7 * metrics.height();
}

void keepTitleWhole(QDialog& dialog)
{
    const int need = titleBarWidth(dialog);
    if (dialog.property(FittedProperty).toInt() >= need)
        return;
    dialog.setProperty(FittedProperty, need);

    // Before it is first shown only a size fixed by hand shows here, not one its layout will fix.
    const bool fixedByHand = dialog.minimumWidth() > 0 && dialog.minimumWidth() == dialog.maximumWidth();
    if (fixedByHand) {
        if (dialog.minimumWidth() < need)
            dialog.setFixedWidth(need);
        return;
    }
    // A layout, and a message box above all, sets the dialog's size from its items' minimum sizes
    // when it is shown: a spacer as wide as the title is one of those items.
    if (QLayout* layout = dialog.layout()) {
        const QMargins margins = layout->contentsMargins();
        const int width = need - margins.left() - margins.right();
        auto* box = qobject_cast<QBoxLayout*>(layout);
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                          qMax(1, grid->columnCount()));
            return;
        }
        if (box && (box->direction() == QBoxLayout::TopToBottom || box->direction() == QBoxLayout::BottomToTop)) {
            box->addSpacerItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum));
            return;
        }
    }
    if (dialog.minimumWidth() < need)
        dialog.setMinimumWidth(need);
}
