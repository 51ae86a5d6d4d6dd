#include "app/stalerows.h"

#include <QAbstractItemView>

namespace {
const char* const StaleNote = "staleRowsNote";
}

void markRowsStale(QAbstractItemView& view, const QString& note)
{
    if (view.property(StaleNote).toString() == note)
        return;
    view.setProperty(StaleNote, note);
    if (note.isEmpty()) {
        view.setPalette(QPalette()); // the view's own colours again
    } else {
        QPalette palette = view.palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setBrush(group, QPalette::Text, palette.brush(QPalette::Disabled, QPalette::Text));
        view.setPalette(palette);
    }
    view.setToolTip(note);
}

bool rowsMarkedStale(const QAbstractItemView& view)
{
    return !view.property(StaleNote).toString().isEmpty();
}
