#include "core/restore.h"

#include "core/file_io.h"
#include "core/folder_lock.h"
#include "core/messages.h"
#include "core/patch_table.h"
#include "core/version.h"

namespace tarnwick {
namespace {

constexpr std::wstring_view kBackupKept = L"备份文件仍然保留，可以稍后再点击“还原”。";
constexpr std::wstring_view kBothKept = L"游戏文件没有改动，备份文件也仍然保留。";

// Whether the backup is a game file the tool knows: one of the versions,
// long enough for that version's patch areas. An empty or cut backup put
// in place of the game file would lose the game.
bool BackupIsAGameFile(const Recognition& backup) {
    const PatchTable* table = PatchTableFor(backup.version);
    return table && backup.fileSize >= PatchAreasEnd(*table);
}

}  // namespace

bool BackupExists(const GameFolder& folder) { return FileExists(folder.BackupFile()); }

// The game file is replaced in one rename from a complete copy, and the
// backup is deleted only once the game file is byte for byte the backup.
// Whatever fails, the backup stays and "还原" stays enabled. The game
// folder's lock is held throughout, so another copy of the tool waits.
OperationResult RestoreGameFile(const GameFolder& folder) {
    FolderLock lock(folder);
    if (lock.Busy()) return OutcomeResult(Action::Restore, Outcome::ToolBusy, L"", kGameUnchangedText);

    OperationResult result;
    const std::wstring backup = folder.BackupFile();
    const std::wstring game = folder.GameFile();
    if (!FileExists(backup)) {
        if (FolderExists(backup)) {
            result = FailureResult(Action::Restore, folder, backup, ERROR_DIRECTORY, kGameUnchangedText);
        } else {
            result.outcome = Outcome::BackupMissing;
            result.message = kBackupMissingText;
        }
        result.restoreButton = RestoreButtonState::Disable;
        return result;
    }

    auto fail = [&](const std::wstring& path, DWORD error) {
        OperationResult failure = FailureResult(Action::Restore, folder, path, error, kBackupKept);
        failure.restoreButton = RestoreButtonState::Enable;
        return failure;
    };
    const Recognition recognised = RecogniseGameFile(backup);
    if (recognised.systemError) return fail(backup, recognised.systemError);
    if (!BackupIsAGameFile(recognised)) {
        result = OutcomeResult(Action::Restore, Outcome::BackupDamaged, DisplayName(folder, backup), kBothKept);
        result.restoreButton = RestoreButtonState::Enable;
        return result;
    }
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
