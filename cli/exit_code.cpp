#include "cli/exit_code.h"

namespace tarnwick::cli {

ExitCode ExitCodeFor(const OperationResult& result) {
    if (result.gameMayBeDamaged) return ExitCode::FailedMayBeDamaged;
    switch (result.outcome) {
        case Outcome::Ok: return result.valuesNotRemembered ? ExitCode::ValuesNotRemembered : ExitCode::Success;
        case Outcome::InvalidValue: return ExitCode::UsageError;
        case Outcome::GameFileMissing: return ExitCode::NotAGameFolder;
        case Outcome::VersionUnknown:
        case Outcome::GameFileChanged: return ExitCode::VersionNotRecognised;
        case Outcome::ToolBusy: return ExitCode::Busy;
        default: return ExitCode::FailedUnchanged;
    }
}

}  // namespace tarnwick::cli
