#pragma once

#include <QString>

// Where the translation for a language code lies: the working directory first, then beside the
// executable, then the installed translations folder. The answer goes to QTranslator::load as it is,
// so it carries no suffix; when no folder has the file it is the bare code, which load() looks for
// in the working directory and, not finding it, leaves the source texts showing.
QString translationFile(const QString& code);
