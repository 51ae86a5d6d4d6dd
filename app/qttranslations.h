#pragma once

#include <QString>

class QTranslator;

// Qt's own texts (standard buttons, file dialogs, the context menus of text boxes) in the
// assistant's language. English needs none; any code that is not English or Traditional Chinese
// shows the Simplified Chinese source texts, so Qt speaks Simplified Chinese with it.
QString qtTranslationName(const QString& code);

// Replaces what `translator` held with Qt's translation for `code`, from Qt's translations folder.
// Without one (English, or the package is missing) the translator is removed and Qt stays English.
bool applyQtTranslation(QTranslator& translator, const QString& code);

// Switches the application to a language: Qt's own texts into qt, the assistant's into own (from
// translationFile(); without one the source texts show), and the default locale of every window
// opened from now on.
void installLanguage(QTranslator& own, QTranslator& qt, const QString& code);
