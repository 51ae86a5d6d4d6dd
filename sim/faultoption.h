#pragma once

#include "sim/instrumentsimulator.h"

#include <QString>

// The simulator program's --fault option: one fault of InstrumentSimulator as text,
//     KIND[,command=NAME][,count=N][,delay=MS][,pieces=N]
// for example "delay,command=read-item,count=3,delay=4000" or "split,pieces=3,delay=200".
// Kinds and command names are listed by faultOptionHelp(); count -1 means every request.
bool parseFaultOption(const QString& text, InstrumentSimulator::Fault* fault, QString* error);
QString faultOptionHelp();
