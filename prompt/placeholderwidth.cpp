#include "prompt/placeholderwidth.h"

#include <QLineEdit>

namespace {
// QLineEdit sizes its text area by this many 'x'; the rest of its size hint is margins, frame and
// the clear button.
constexpr int DefaultTextCharacters = 17;
} // namespace

int placeholderWidth(const QLineEdit& edit)
{
    const QFontMetrics metrics = edit.fontMetrics();
    const int around = edit.sizeHint().width() - metrics.horizontalAdvance(QLatin1Char('x')) * DefaultTextCharacters;
    return around + metrics.horizontalAdvance(edit.placeholderText());
}

void keepPlaceholderWhole(QLineEdit& edit)
{
    edit.setMinimumWidth(qMax(edit.minimumWidth(), placeholderWidth(edit)));
}
