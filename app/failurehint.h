#pragma once

#include "config/configoutcome.h"

#include <QString>

// What to check after a failure, for the operations log (and, when the instrument stayed silent,
// the error box): a serial port that did not open points at the cable, other programs and, on
// Linux, the dialout group; a silent instrument at the communication settings. Empty when the
// failure itself says all there is.
QString failureHint(ConfigFailure failure, LinkError link, bool silent, bool overUdp);
// What to check when a device search found no instrument: its probe is a UDP broadcast to port.
QString searchFailureHint(quint16 port);
