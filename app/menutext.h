#pragma once

#include <QString>

// A menu text without its Alt letter, for a tool tip or a caption: "&Export" gives "Export",
// "恢复备份(&B)..." gives "恢复备份...", and "&&" stays one "&".
QString withoutMnemonic(QString text);
