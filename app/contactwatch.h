#pragma once

#include "config/configoutcome.h"

#include <functional>

class ConnectionBar;
class QDialog;

// Runs a dialog that opens a link of its own (history, monitor) while the connection bar shows
// what it hears of the instrument: lines that came are contact, a query still without its first
// line is a wait. heard is asked a few times a second: it tells whether the dialog waits and
// whether anything came since it was last asked (Answered), else NotTried.
void execWatchingContact(QDialog& dialog, ConnectionBar& bar, const std::function<LinkContact(bool& waiting)>& heard);
