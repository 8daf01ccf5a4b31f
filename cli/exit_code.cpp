#include "cli/exit_code.h"

#include "core/text/decimal_text.h"
#include "words/help_text.h"

namespace tarnwick::cli {

ExitCode ExitCodeFor(const OperationResult& result) {
    // A restore that wrote the game file and then found another program's
    // file in its place has changed the game file: not the code that says
    // it is as it was.
    const bool changed = result.GameMayBeDamaged() || result.aftermath == Aftermath::OnlyBackupKept;
    return changed ? ExitCode::FailedMayBeDamaged : ExitCodeFor(result.outcome);
}

ExitCode ExitCodeFor(Outcome outcome) {
    switch (outcome) {
        case Outcome::Ok: return ExitCode::Success;
        case Outcome::BackupMissing: return ExitCode::NothingToDo;
        case Outcome::InvalidValue: return ExitCode::UsageErrorOrNoScreen;
        case Outcome::GameFileMissing: return ExitCode::NotAGameFolder;
        case Outcome::VersionUnknown:
        case Outcome::GameFileChanged: return ExitCode::VersionNotRecognised;
        case Outcome::GameFileInUse:
        case Outcome::FileInUse:
        case Outcome::FileBeingChecked:
        case Outcome::WrittenFileRemoved:
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

namespace {

// The codes as --help lists them, each with its meaning in a few words, in
// the order of their numbers.
struct ExitCodeMeaning {
    ExitCode code;
    std::wstring_view meaning;
};
constexpr ExitCodeMeaning kExitCodeMeanings[] = {
    {ExitCode::Success, kExitSuccessMeaning},
    {ExitCode::NothingToDo, kExitNothingToDoMeaning},
    {ExitCode::UsageErrorOrNoScreen, kExitUsageErrorOrNoScreenMeaning},
    {ExitCode::NotAGameFolder, kExitNotAGameFolderMeaning},
    {ExitCode::VersionNotRecognised, kExitVersionNotRecognisedMeaning},
    {ExitCode::InUse, kExitInUseMeaning},
    {ExitCode::FailedUnchanged, kExitFailedUnchangedMeaning},
    {ExitCode::FailedMayBeDamaged, kExitFailedMayBeDamagedMeaning},
    {ExitCode::GameFolderUnreachable, kExitGameFolderUnreachableMeaning},
    {ExitCode::InternalError, kExitInternalErrorMeaning},
};

}  // namespace

std::wstring ExitCodeLines() {
    std::wstring text;
    for (const ExitCodeMeaning& row : kExitCodeMeanings) {
        std::wstring number = DecimalText(static_cast<unsigned long>(row.code));
        number.resize(5, L' ');
        text += L"\n  " + number;
        text += row.meaning;
    }
    return text;
}

DWORD ExitCodePassedOn(DWORD code) {
    const bool inTable = code <= static_cast<DWORD>(ExitCode::GameFolderUnreachable);
    return inTable ? code : static_cast<DWORD>(ExitCode::InternalError);
}

}  // namespace tarnwick::cli
