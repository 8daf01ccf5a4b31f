#include "cli/status_command.h"

#include "core/backup/restorable_backup.h"
#include "core/disk/file_io.h"
#include "core/disk/path_problem.h"
#include "core/game/patch_plan.h"
#include "core/game/patch_table.h"
#include "core/game/version.h"
#include "core/stored/settings_cache.h"
#include "core/text/codepage.h"
#include "words/joined_text.h"
#include "words/messages.h"
#include "words/status_text.h"

namespace tarnwick::cli {
namespace {

std::wstring BackupLine(const GameFolder& folder) {
    BackupInspection inspection;
    InspectBackup(folder, inspection);
    return BackupLineText(folder, inspection);
}

std::wstring CacheLines(const GameFolder& folder) {
    const std::wstring path = folder.SettingsCacheFile();
    const bool present = fileio::FileExists(path);
    CachedValues values;
    const DWORD error = present ? ReadSettingsFile(path, values) : 0;
    return CacheLinesText(DisplayName(folder, path), present, error, values);
}

// The version and what follows from it, from the game file read once: the
// version, the code bytes and the slots all come from the same bytes.
std::wstring GameLines(const GameFolder& folder, ExitCode& code) {
    fileio::Bytes game;
    if (DWORD error = fileio::ReadFilePrefix(folder.GameFile(), kMaxGameFileSize, game)) {
        const Outcome outcome = OutcomeForError(error, folder.GameFile(), true);
        code = ExitCodeFor(outcome);
        return GameUnreadableLineText(outcome, error);
    }
    const GameVersion version = RecogniseGameBytes(game);
    if (version == GameVersion::Unknown) code = ExitCode::VersionNotRecognised;
    const PatchTable* table = PatchTableFor(version);
    const bool codePage = CodePageInstalled(kGameCodePage);
    if (!table) return GameLinesText(version, codePage, false, nullptr);
    const ValuesFound values = ReadSlotValues(game, *table);
    return GameLinesText(version, codePage, IsPatched(game, *table), &values);
}

}  // namespace

Reply RunStatus(const GameFolder& folder) {
    if (std::optional<Reply> refusal = RefuseOutsideGameFolder(folder)) return *refusal;
    Reply reply;
    const std::wstring game = GameLines(folder, reply.code);
    reply.out = Joined({FolderLineText(fileio::FullPath(folder.base)), L"\n", game, L"\n", BackupLine(folder), L"\n",
                         CacheLines(folder)});
    // An unknown game file: the known versions and what to do, after the
    // first line, which the version line already says.
    // Without code page 936 the version line has said why already.
    if (reply.code == ExitCode::VersionNotRecognised && CodePageInstalled(kGameCodePage)) {
        reply.err = VersionUnknownAdviceText();
    }
    return reply;
}

}  // namespace tarnwick::cli
