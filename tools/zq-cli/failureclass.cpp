#include "tools/zq-cli/failureclass.h"

ExitCode exitCodeFor(LinkError error)
{
    if (error == LinkError::None || error == LinkError::Stopped)
        return ExitOk;
    return isSilence(error) ? ExitLink : ExitRefused;
}

ExitCode exitCodeFor(ConfigFailure failure, LinkError error)
{
    switch (failure) {
    case ConfigFailure::None:
        return ExitOk;
    case ConfigFailure::CannotOpen:
        return ExitLink;
    case ConfigFailure::Link:
        return exitCodeFor(error);
    case ConfigFailure::File:
        return ExitFile;
    case ConfigFailure::BadReply:
    case ConfigFailure::BadValue:
        break;
    }
    return ExitRefused;
}

ExitCode exitCodeFor(HistoryFailure failure, LinkError error)
{
    switch (failure) {
    case HistoryFailure::None:
        return ExitOk;
    case HistoryFailure::CannotOpen:
        return ExitLink;
    case HistoryFailure::Link:
        break;
    }
    return exitCodeFor(error);
}

ExitCode exitCodeFor(UpdateFailure failure, LinkError error)
{
    switch (failure) {
    case UpdateFailure::None:
        return ExitOk;
    case UpdateFailure::BadPackage:
        return ExitFile;
    case UpdateFailure::CannotOpen:
        return ExitLink;
    case UpdateFailure::WrongModel:
        return ExitRefused;
    case UpdateFailure::Declined:
        return ExitDowngrade;
    case UpdateFailure::Stopped:
        return ExitLink;
    case UpdateFailure::NoIdentity:
    case UpdateFailure::EraseFailed:
    case UpdateFailure::PageFailed:
        break;
    }
    // A step the loader never answered is a silent line; one it answered wrongly a refusal.
    return error == LinkError::None ? ExitRefused : exitCodeFor(error);
}

ExitCode exitCodeFor(MonitorFailure failure, LinkError error)
{
    switch (failure) {
    case MonitorFailure::None:
        return ExitOk;
    case MonitorFailure::CannotOpen:
        return ExitLink;
    case MonitorFailure::DebugCommand:
        break;
    }
    return exitCodeFor(error);
}
