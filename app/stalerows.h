#pragma once

#include <QString>

class QAbstractItemView;

// Rows read over a link other than the one set now are another instrument's as far as anyone can
// tell: the view draws them grey and names their source in its tool tip until the next read. An
// empty note takes the mark away.
void markRowsStale(QAbstractItemView& view, const QString& note);
bool rowsMarkedStale(const QAbstractItemView& view);
