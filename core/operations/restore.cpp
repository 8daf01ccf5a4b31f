#include "core/operations/restore.h"

#include <optional>

#include "core/backup/restorable_backup.h"
#include "core/backup/leftover_files.h"
#include "core/disk/checked_swap.h"
#include "core/disk/file_io.h"
#include "core/disk/own_file.h"
#include "core/failure_result.h"
#include "core/operations/folder_lock.h"
#include "core/operations/restore_steps.h"

namespace tarnwick {
namespace {

using fileio::Bytes;

// Whatever fails, the backup stays.
OperationResult Fail(const GameFolder& folder, const std::wstring& path, DWORD error,
                     Aftermath state = Aftermath::BackupKept) {
    return FailureResult(Action::Restore, folder, path, error, state);
}

// Why a backup that is there is not put back; both files stay as they are.
OperationResult Refusal(const GameFolder& folder, const BackupInspection& inspection) {
    const std::wstring backupName = DisplayName(folder, inspection.backupPath);
    switch (inspection.verdict) {
        case BackupVerdict::Unreadable:
            return Fail(folder, inspection.errorPath, inspection.error, Aftermath::BackupKept);
        case BackupVerdict::OtherVersion: {
            OperationResult result = OutcomeResult(Action::Restore, Outcome::BackupOtherVersion, backupName,
                                                   Aftermath::BothKept);
            result.backupVersion = inspection.version;
            result.gameVersion = inspection.gameVersion;
            return result;
        }
        case BackupVerdict::GameHardLinked:
            return OutcomeResult(Action::Restore, Outcome::GameFileHardLinked, L"", Aftermath::BothKept);
        case BackupVerdict::GameLinked:
            return OutcomeResult(Action::Restore, Outcome::GameFileLinked, L"", Aftermath::BothKept);
        case BackupVerdict::NotOwnFile:
            return OutcomeResult(Action::Restore, Outcome::NotOwnFile, DisplayName(folder, inspection.errorPath),
                                 Aftermath::BothKept);
        case BackupVerdict::NotOriginal:
            return OutcomeResult(Action::Restore, Outcome::BackupNotOriginal, backupName, Aftermath::BothKept);
        case BackupVerdict::IsGameFile:
            return OutcomeResult(Action::Restore, Outcome::BackupIsGameFile, backupName, Aftermath::BothKept);
        case BackupVerdict::OtherGame:
            return OutcomeResult(Action::Restore, Outcome::BackupOtherGame, backupName, Aftermath::BothKept);
        case BackupVerdict::Unverifiable:
            return OutcomeResult(Action::Restore, Outcome::BackupUnverifiable, backupName, Aftermath::BothKept);
        default:
            return OutcomeResult(Action::Restore, Outcome::BackupDamaged, backupName, Aftermath::BothKept);
    }
}

// The backup's own file goes once the game file is back, through the
// handle that checked it (opened with DELETE and unshared for deleting, so
// no other file can have taken its name), only while meteor.exe is still
// the copy just checked (replaced meanwhile, the backup is the original's
// only copy), and its record with it, through its own checked handle, only
// once the backup itself is gone.
enum class BackupFate { Deleted, GameReplaced, NotDeleted };

BackupFate DeleteCheckedBackup(BackupInspection& inspection, const fileio::File& restored, DWORD& error) {
    error = inspection.backup.DeleteAndClose(&restored);
    inspection.backup.Close();
    if (error == fileio::kNoLongerNamedError) {
        inspection.record.Close();
        error = 0;
        // Else the backup itself is gone from its name (a Linux program can
        // move or delete a held file): whatever holds the name now is not
        // the tool's to delete.
        return restored.StillNamed() ? BackupFate::Deleted : BackupFate::GameReplaced;
    }
    if (error) return BackupFate::NotDeleted;
    if (inspection.record.IsOpen() && inspection.record.DeleteAndClose()) inspection.record.Close();
    return BackupFate::Deleted;
}

// The game file is replaced only as it was checked: the checked file is
// moved aside through its handle, a complete copy of the backup's bytes is
// put in where the name is then free, and the checked file goes last. The
// backup is deleted only once the game file reads back as the backup.
OperationResult PutBackTheBackup(const GameFolder& folder, RestoreSteps& steps) {
    OperationResult result;
    BackupInspection inspection;
    InspectBackup(folder, inspection, GameHold::ToReplace);
    if (inspection.verdict == BackupVerdict::Missing || inspection.verdict == BackupVerdict::NotAFile) {
        if (inspection.verdict == BackupVerdict::NotAFile) {
            result = FailureResult(Action::Restore, folder, folder.BackupFile(), ERROR_DIRECTORY,
                                   Aftermath::GameUnchanged);
        } else {
            result = OutcomeResult(Action::Restore, Outcome::BackupMissing, L"");
        }
        return result;
    }
    fileio::File& checkedGame = inspection.game;
    // Every failure names its files only once the handles are closed: what
    // an error means is asked of the files themselves.
    auto fail = [&](const std::wstring& path, DWORD error, Aftermath state) {
        checkedGame.Close();
        inspection.backup.Close();
        inspection.record.Close();
        return Fail(folder, path, error, state);
    };
    if (inspection.verdict != BackupVerdict::Original) {
        checkedGame.Close();
        return Refusal(folder, inspection);
    }
    steps.BackupChecked(folder);

    const std::wstring game = folder.GameFile();
    // A read-only game file is the player's choice: refused, as a rename
    // over it would be on Windows.
    fileio::FileFacts facts;
    if (checkedGame.IsOpen() && !checkedGame.Facts(facts) && (facts.attributes & FILE_ATTRIBUTE_READONLY)) {
        return fail(game, ERROR_ACCESS_DENIED, Aftermath::BackupKept);
    }
    fileio::PendingFile restored(game);
    if (DWORD error = restored.Write(inspection.bytes)) return fail(game, error, Aftermath::BackupKept);
    const fileio::SwapResult swap = fileio::SwapIn(restored, checkedGame);
    if (swap.nameTaken) {
        // Another program put a file at meteor.exe after the check: it
        // stays, and so does the backup. The game file checked (patched, or
        // the backup's very bytes) goes, through its handle, rather than be
        // left under a temporary name.
        if (checkedGame.IsOpen() && checkedGame.DeleteAndClose()) checkedGame.Close();
        return OutcomeResult(Action::Restore, Outcome::GameFileReplaced, kGameFileName, Aftermath::OnlyBackupKept);
    }
    if (swap.error) return fail(game, swap.error, Aftermath::BackupKept);
    steps.GameWritten(folder);
    // Another program (a launcher's update, a file manager) may have put
    // another file in its place meanwhile: the name must still lead to the
    // file written, with the backup's bytes, before the backup goes. It
    // stays open, letting others only read, until then.
    fileio::File written;
    DWORD error = written.Open(game, GENERIC_READ, FILE_SHARE_READ);
    bool same = false;
    if (!error) error = written.CheckSameFile(restored.WrittenIdentity(), same);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || (!error && !same)) {
        inspection.backup.Close();
        inspection.record.Close();
        return OutcomeResult(Action::Restore, Outcome::GameFileReplaced, kGameFileName, Aftermath::OnlyBackupKept);
    }
    Bytes after;
    if (!error) error = written.ReadAll(after, inspection.bytes.size() + 1);
    if (!error && after != inspection.bytes) error = ERROR_WRITE_FAULT;
    if (error) {
        written.Close();
        return fail(game, error, Aftermath::RestoreIncomplete);
    }

    result.action = Action::Restore;
    DWORD failure = 0;
    const BackupFate fate = DeleteCheckedBackup(inspection, written, failure);
    if (fate == BackupFate::GameReplaced) {
        return OutcomeResult(Action::Restore, Outcome::GameFileReplaced, kGameFileName, Aftermath::OnlyBackupKept);
    }
    if (fate == BackupFate::NotDeleted) {
        // The game file is back; only the leftover backup needs a word.
        result.systemError = failure;
        result.backupLeftBehind = true;
        result.fileName = DisplayName(folder, inspection.backupPath);
    }
    return result;
}

}  // namespace

bool BackupExists(const GameFolder& folder) {
    return fileio::FileExists(folder.BackupFile()) || fileio::FileExists(folder.BackupAsideFile());
}

// The game folder's lock is held throughout, so another copy of the tool
// waits.
OperationResult RestoreGameFileThrough(const GameFolder& folder, RestoreSteps& steps) {
    FolderLock lock(folder);
    if (!lock.Held()) return LockRefusal(Action::Restore, folder, lock);
    // The backup folder, which other installs may share, by its own lock
    // after the game folder's, as an apply takes it: no apply through a
    // shared Data judges or replaces the backups while they are judged here.
    std::optional<FolderLock> backupLock;
    if (fileio::FolderExists(folder.BackupFolder())) {
        backupLock.emplace(folder, LockedFolder::Backup);
        if (!backupLock->Held()) return LockRefusal(Action::Restore, folder, *backupLock);
    }
    RemoveLeftoverFiles(folder);
    return PutBackTheBackup(folder, steps);
}

OperationResult RestoreGameFile(const GameFolder& folder) {
    RestoreSteps steps;
    return RestoreGameFileThrough(folder, steps);
}

}  // namespace tarnwick
