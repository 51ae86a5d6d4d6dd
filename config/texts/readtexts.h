#pragma once

#include "config/configread.h"

#include <QString>

// The title of the box that tells why a read stopped ("刷新"), and its text.
QString readFailureTitle();
QString readFailureText(const ConfigReadFailure& failure);
