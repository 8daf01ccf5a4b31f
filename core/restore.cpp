#include "core/restore.h"

#include "core/file_io.h"
#include "core/messages.h"

namespace tarnwick {

bool BackupExists(const GameFolder& folder) { return FileExists(folder.BackupFile()); }

// The game file is replaced in one rename from a complete copy, and the
// backup is deleted only once the game file is byte for byte the backup.
// Whatever fails, the backup stays and "还原" stays enabled.
OperationResult RestoreGameFile(const GameFolder& folder) {
    OperationResult result;
    const std::wstring backup = folder.BackupFile();
    const std::wstring game = folder.GameFile();
    if (!FileExists(backup)) {
        result.outcome = Outcome::BackupMissing;
        result.message = kBackupMissingText;
        result.restoreButton = RestoreButtonState::Disable;
        return result;
    }

    auto fail = [&](const std::wstring& path, DWORD error) {
        OperationResult failure =
            FailureResult(Action::Restore, folder, path, error, L"备份文件仍然保留，可以稍后再点击“还原”。");
        failure.restoreButton = RestoreButtonState::Enable;
        return failure;
    };
    if (DWORD error = fileio::CheckReplaceable(game)) return fail(game, error);
    fileio::PendingFile restored(game);
    bool backupUnreadable = false;
    if (DWORD error = restored.CopyFrom(backup, &backupUnreadable)) return fail(backupUnreadable ? backup : game, error);
    if (DWORD error = restored.Commit()) return fail(game, error);
    if (!fileio::FilesEqual(game, backup)) return fail(game, ERROR_WRITE_FAULT);

    result.message = kRestoreSucceededText;
    result.restoreButton = RestoreButtonState::Disable;
    if (!DeleteFileW(backup.c_str())) {
        SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(backup.c_str())) {
            // The game file is back; only the leftover backup needs a word.
            result.systemError = GetLastError();
            result.message += L"\n备份文件 Data\\bak\\meteor.bak 未能删除，可以稍后再删除它。";
            result.restoreButton = RestoreButtonState::Enable;
        }
    }
    return result;
}

}  // namespace tarnwick
