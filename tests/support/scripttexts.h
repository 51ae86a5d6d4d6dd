#pragma once

#include <QString>

// What script a user text is written in, for the checks that every text follows the language.

// Han characters, CJK punctuation or full-width forms: a text that shows any of these in English
// was left untranslated.
bool hasCjk(const QString& text);

// The first character of `text` that exists only in Simplified Chinese (设, 据, 录 ...), or a null
// QChar. Traditional Chinese writes every one of them differently, so any such character in a
// Traditional Chinese text was copied rather than converted.
QChar firstSimplifiedOnly(const QString& text);

// The first Mainland term (固件, 串口, 信息 ...) in a Traditional Chinese text, or an empty string:
// converting the characters alone leaves them, Taiwan says 韌體, 序列埠, 訊息.
QString firstMainlandTerm(const QString& text);

// Language names stay in their own script in every language's menu.
bool isLanguageName(const QString& text);
