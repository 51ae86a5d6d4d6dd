#pragma once

#include <QString>

// Installs the translator for code ("en_US", "zh_TW", "zh_CH"): the same .qm files the assistant
// loads from the working directory, else those beside the program, else the installed ones. An empty code takes the
// language stored in config.ini. Returns false when no file was found (the source texts stay).
bool installLanguage(const QString& code);
