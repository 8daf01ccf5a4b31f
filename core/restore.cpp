#include "core/restore.h"

#include "core/backup_check.h"
#include "core/file_io.h"
#include "core/folder_lock.h"
#include "core/messages.h"

namespace tarnwick {
namespace {

using fileio::Bytes;

// The last line of a failure before the game file was replaced.
constexpr std::wstring_view kBackupKept = L"游戏文件没有改动，备份文件仍然保留，可以稍后再点击“还原”。";
constexpr std::wstring_view kRestoreIncomplete =
    L"游戏文件可能没有还原完整；备份文件仍然保留，请关闭游戏后再点击“还原”。";

// Whatever fails, the backup stays.
OperationResult Fail(const GameFolder& folder, const std::wstring& path, DWORD error,
                     std::wstring_view state = kBackupKept) {
    return FailureResult(Action::Restore, folder, path, error, state);
}

// Why a backup that is there is not put back; both files stay as they are.
OperationResult Refusal(const GameFolder& folder, const BackupInspection& inspection) {
    const std::wstring backupName = DisplayName(folder, folder.BackupFile());
    switch (inspection.verdict) {
        case BackupVerdict::Unreadable: return Fail(folder, inspection.errorPath, inspection.error);
        case BackupVerdict::OtherVersion: {
            OperationResult result;
            result.outcome = Outcome::BackupOtherVersion;
            result.message = OtherVersionText(backupName, inspection.version, inspection.gameVersion);
            return result;
        }
        case BackupVerdict::GameHardLinked:
            return OutcomeResult(Action::Restore, Outcome::GameFileHardLinked, L"", kBothKeptText);
        case BackupVerdict::NotOriginal:
            return OutcomeResult(Action::Restore, Outcome::BackupNotOriginal, backupName, kBothKeptText);
        case BackupVerdict::IsGameFile:
            return OutcomeResult(Action::Restore, Outcome::BackupIsGameFile, backupName, kBothKeptText);
        default:
            return OutcomeResult(Action::Restore, Outcome::BackupDamaged, backupName, kBothKeptText);
    }
}

// The game file is replaced in one rename from a complete copy of the
// bytes checked, and the backup is deleted only once the game file reads
// back as the backup.
OperationResult PutBackTheBackup(const GameFolder& folder) {
    OperationResult result;
    BackupInspection inspection;
    InspectBackup(folder, inspection);
    if (inspection.verdict == BackupVerdict::Missing || inspection.verdict == BackupVerdict::NotAFile) {
        if (inspection.verdict == BackupVerdict::NotAFile) {
            result = FailureResult(Action::Restore, folder, folder.BackupFile(), ERROR_DIRECTORY, kGameUnchangedText);
        } else {
            result.outcome = Outcome::BackupMissing;
            result.message = kBackupMissingText;
        }
        return result;
    }
    if (inspection.verdict != BackupVerdict::Original) return Refusal(folder, inspection);

    const std::wstring game = folder.GameFile();
    if (DWORD error = fileio::CheckReplaceable(game)) return Fail(folder, game, error);
    fileio::PendingFile restored(game);
    if (DWORD error = restored.Write(inspection.bytes)) return Fail(folder, game, error);
    if (DWORD error = restored.Commit()) return Fail(folder, game, error);
    Bytes after;
    DWORD error = fileio::ReadFilePrefix(game, inspection.bytes.size() + 1, after);
    if (!error && after != inspection.bytes) error = ERROR_WRITE_FAULT;
    if (error) {
        OperationResult failure = Fail(folder, game, error, kRestoreIncomplete);
        failure.gameMayBeDamaged = true;
        return failure;
    }

    result.message = kRestoreSucceededText;
    inspection.backup.Close();
    const std::wstring backup = folder.BackupFile();
    if (!DeleteFileW(backup.c_str())) {
        SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(backup.c_str())) {
            // The game file is back; only the leftover backup needs a word.
            result.systemError = GetLastError();
            result.message += L"\n备份文件 Data\\bak\\meteor.bak 未能删除，可以稍后再删除它。";
            return result;
        }
    }
    DeleteFileW(folder.BackupRecordFile().c_str());
    return result;
}

}  // namespace

bool BackupExists(const GameFolder& folder) { return FileExists(folder.BackupFile()); }

// The game folder's lock is held throughout, so another copy of the tool
// waits.
OperationResult RestoreGameFile(const GameFolder& folder) {
    FolderLock lock(folder);
    if (!lock.Held()) return LockRefusal(Action::Restore, folder, lock);
    return PutBackTheBackup(folder);
}

}  // namespace tarnwick
