#pragma once

#include <QString>

// The first character of text that the instrument's text encoding cannot carry (GB2312, or
// Latin-1 for a text that is all Latin-1), as a whole character; empty when the text can go out
// unchanged. Without this check such characters would silently travel as '?'.
QString unencodableCharacter(const QString& text);
