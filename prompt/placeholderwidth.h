#pragma once

class QLineEdit;

// A text box as wide as Qt makes it by default cuts a longer hint ("Filter: show only li…"), and
// the hints grow in translation.

// The width a text box needs to show its whole placeholder text beside its margins and buttons.
int placeholderWidth(const QLineEdit& edit);

// Gives the box at least that width.
void keepPlaceholderWhole(QLineEdit& edit);
