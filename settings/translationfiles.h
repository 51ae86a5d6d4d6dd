#pragma once

#include <QLocale>
#include <QString>

// Where the translation for a language code lies: the working directory first, then beside the
// executable, then the installed translations folder. The answer goes to QTranslator::load as it is,
// so it carries no suffix; when no folder has the file it is the bare code, which load() looks for
// in the working directory and, not finding it, leaves the source texts showing.
QString translationFile(const QString& code);

// The locale that goes with a language code: dates, month names and calendars in the assistant's
// language rather than the system's. A code that is not English or Traditional Chinese is
// Simplified Chinese, as with the translations.
QLocale languageLocale(const QString& code);
