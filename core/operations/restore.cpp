#include "core/operations/restore.h"

#include "core/backup/backup_check.h"
#include "core/backup/leftover_files.h"
#include "core/disk/file_io.h"
#include "core/disk/own_file.h"
#include "core/disk/path_problem.h"
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
    const std::wstring backupName = DisplayName(folder, folder.BackupFile());
    switch (inspection.verdict) {
        case BackupVerdict::Unreadable: return Fail(folder, inspection.errorPath, inspection.error);
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

// The backup's own file goes once the game file is back: through the
// handle that checked it while the name still leads to that file, so that
// nothing else is deleted in its place. One already gone needs no word.
DWORD DeleteCheckedBackup(const GameFolder& folder, BackupInspection& inspection) {
    const std::wstring backup = folder.BackupFile();
    fileio::File now;
    DWORD error = now.Open(backup, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
    fileio::FileIdentity identity;
    if (!error) error = now.Identity(identity);
    now.Close();
    if (error) return error;
    if (!identity.SameFileAs(inspection.identity)) return 0;  // another program's file by now: not the tool's to delete
    error = inspection.backup.DeleteAndClose();
    if (!error) return 0;
    // Opened without the right to delete (another program reads it): by
    // name, which the checks above still vouch for.
    inspection.backup.Close();
    return fileio::DeleteOwnFile(backup);
}

// The game file is replaced in one rename from a complete copy of the
// bytes checked, and the backup is deleted only once the game file reads
// back as the backup.
OperationResult PutBackTheBackup(const GameFolder& folder, RestoreSteps& steps) {
    OperationResult result;
    BackupInspection inspection;
    InspectBackup(folder, inspection);
    if (inspection.verdict == BackupVerdict::Missing || inspection.verdict == BackupVerdict::NotAFile) {
        if (inspection.verdict == BackupVerdict::NotAFile) {
            result = FailureResult(Action::Restore, folder, folder.BackupFile(), ERROR_DIRECTORY,
                                   Aftermath::GameUnchanged);
        } else {
            result = OutcomeResult(Action::Restore, Outcome::BackupMissing, L"");
        }
        return result;
    }
    if (inspection.verdict != BackupVerdict::Original) return Refusal(folder, inspection);
    steps.BackupChecked(folder);

    const std::wstring game = folder.GameFile();
    if (DWORD error = fileio::CheckReplaceable(game)) return Fail(folder, game, error);
    fileio::PendingFile restored(game);
    if (DWORD error = restored.Write(inspection.bytes)) return Fail(folder, game, error);
    if (DWORD error = restored.Commit()) return Fail(folder, game, error);
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
        return OutcomeResult(Action::Restore, Outcome::GameFileReplaced, kGameFileName, Aftermath::OnlyBackupKept);
    }
    Bytes after;
    if (!error) error = written.ReadAll(after, inspection.bytes.size() + 1);
    if (!error && after != inspection.bytes) error = ERROR_WRITE_FAULT;
    if (error) {
        return Fail(folder, game, error, Aftermath::RestoreIncomplete);
    }

    result.action = Action::Restore;
    if (DWORD failure = DeleteCheckedBackup(folder, inspection)) {
        // The game file is back; only the leftover backup needs a word.
        result.systemError = failure;
        result.backupLeftBehind = true;
        result.fileName = DisplayName(folder, folder.BackupFile());
        return result;
    }
    fileio::DeleteOwnFile(folder.BackupRecordFile());
    return result;
}

}  // namespace

bool BackupExists(const GameFolder& folder) { return fileio::FileExists(folder.BackupFile()); }

// The game folder's lock is held throughout, so another copy of the tool
// waits.
OperationResult RestoreGameFileThrough(const GameFolder& folder, RestoreSteps& steps) {
    FolderLock lock(folder);
    if (!lock.Held()) return LockRefusal(Action::Restore, folder, lock);
    RemoveLeftoverFiles(folder);
    return PutBackTheBackup(folder, steps);
}

OperationResult RestoreGameFile(const GameFolder& folder) {
    RestoreSteps steps;
    return RestoreGameFileThrough(folder, steps);
}

}  // namespace tarnwick
