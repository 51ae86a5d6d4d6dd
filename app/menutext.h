#pragma once

#include <QString>

// A menu text without its Alt letter, for a tool tip or a caption: "&Export" gives "Export",
// "恢复备份(&B)..." gives "恢复备份...", and "&&" stays one "&".
QString withoutMnemonic(QString text);

class QAction;

// What an action's operation is called in a box's title, a file dialog or the operations log:
// its text without the Alt letter and the "..." of a menu entry that asks first.
QString operationName(const QAction& action);
