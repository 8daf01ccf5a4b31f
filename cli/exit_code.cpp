#include "cli/exit_code.h"

namespace tarnwick::cli {

ExitCode ExitCodeFor(const OperationResult& result) {
    if (result.gameMayBeDamaged) return ExitCode::FailedMayBeDamaged;
    switch (result.outcome) {
        case Outcome::Ok: return ExitCode::Success;
        case Outcome::BackupMissing: return ExitCode::NothingToDo;
        case Outcome::InvalidValue: return ExitCode::UsageError;
        case Outcome::GameFileMissing: return ExitCode::NotAGameFolder;
        case Outcome::VersionUnknown:
        case Outcome::GameFileChanged: return ExitCode::VersionNotRecognised;
        case Outcome::GameFileInUse:
        case Outcome::FileInUse:
        case Outcome::FileBeingChecked:
        case Outcome::ToolBusy: return ExitCode::InUse;
        case Outcome::GameFileDamaged:
        case Outcome::ReadOnly:
        case Outcome::ReadOnlyDisk:
        case Outcome::AccessDenied:
        case Outcome::CreationBlocked:
        case Outcome::DiskFull:
        case Outcome::NotAFolder:
        case Outcome::NotAFile:
        case Outcome::GameFileHardLinked:
        case Outcome::GameFileLinked:
        case Outcome::GameFileReplaced:
        case Outcome::NotOwnFile:
        case Outcome::LockFailed:
        case Outcome::BackupDamaged:
        case Outcome::BackupNotOriginal:
        case Outcome::BackupIsGameFile:
        case Outcome::BackupOtherVersion:
        case Outcome::BackupOtherGame:
        case Outcome::BackupUnverifiable:
        case Outcome::BackupAsideTaken:
        case Outcome::Failed: return ExitCode::FailedUnchanged;
    }
    return ExitCode::FailedUnchanged;
}

DWORD ExitCodePassedOn(DWORD code) {
    const bool inTable = code <= static_cast<DWORD>(ExitCode::FailedMayBeDamaged);
    return inTable ? code : static_cast<DWORD>(ExitCode::InternalError);
}

}  // namespace tarnwick::cli
