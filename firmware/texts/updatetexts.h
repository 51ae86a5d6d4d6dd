#pragma once

#include "firmware/ddbserver.h"
#include "firmware/firmwaretransfer.h"
#include "firmware/firmwareversion.h"
#include "firmware/versionread.h"

#include <QString>

// The texts the operator reads about a package and a transfer, made from the codes of the core
// in this one place.
namespace UpdateTexts {

// Why a package file was refused; empty for Ok.
QString packageRead(PackageRead read);
// Why a package that reads cannot be flashed; empty for None.
QString packageProblem(PackageProblem problem);
// The stage that has begun: for Writing the page (current of total), for Finishing the seconds
// left (current).
QString stage(UpdateStage stage, int current = 0, int total = 0);
// The stage line once a run has been refused or has failed: "第 1/4 步: 已拒绝: 型号不符".
QString stageEnd(const UpdateOutcome& outcome);
// The error box's text for a refusal or failure, packageModel beside the instrument's.
QString failure(const UpdateOutcome& outcome, const QString& packageModel);
// What state the instrument is likely in after that failure, and what to do.
QString instrumentState(const UpdateOutcome& outcome);
// What the instrument said of its version after a whole transfer; before is the version known
// from the last configuration read (empty: unknown), waitSeconds how long it was waited for.
QString versionChange(const QString& before, const VersionRead& after, int waitSeconds);
// The confirmation's headline: how the package's version stands to the instrument's.
QString comparison(FirmwareVersion::Order order, const QString& package, const QString& instrument);

} // namespace UpdateTexts
