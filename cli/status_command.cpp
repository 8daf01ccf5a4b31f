#include "cli/status_command.h"

#include "core/backup/backup_check.h"
#include "core/disk/file_io.h"
#include "core/disk/path_problem.h"
#include "core/game/patch_plan.h"
#include "core/game/patch_table.h"
#include "core/game/version.h"
#include "core/stored/settings_cache.h"
#include "core/text/codepage.h"
#include "words/joined_text.h"
#include "words/backup_verdict_text.h"
#include "words/messages.h"

namespace tarnwick::cli {
namespace {

// Fifteen values in field order, "-" where one is not there; `gaps` tells
// whether any is not.
std::wstring ValuesLine(const std::array<std::optional<std::wstring>, kFieldCount>& values, bool& gaps) {
    std::wstring line;
    gaps = false;
    for (int i = 0; i < kFieldCount; ++i) {
        if (i) line += L' ';
        line += values[i] ? std::wstring_view(*values[i]) : std::wstring_view(L"-");
        gaps = gaps || !values[i];
    }
    return line;
}

std::wstring GameFileLines(const GameVersion version, const fileio::Bytes& game) {
    const PatchTable* table = PatchTableFor(version);
    if (!table) return L"游戏文件：版本未识别，无法判断是否修改过\n游戏文件中的数值：版本未识别，无法读取";
    bool gaps = false;
    const std::wstring values = ValuesLine(ReadSlotValues(game, *table), gaps);
    return Joined({IsPatched(game, *table) ? L"游戏文件：已修改" : L"游戏文件：未修改", L"\n游戏文件中的数值：", values,
                   gaps ? L"\n（- 表示游戏文件中这个数值的位置存放的不是数字）" : L""});
}

std::wstring BackupLine(const GameFolder& folder) {
    BackupInspection inspection;
    InspectBackup(folder, inspection);
    return Joined({L"备份文件 ", DisplayName(folder, folder.BackupFile()), L"：", BackupVerdictText(folder, inspection)});
}

std::wstring CacheLines(const GameFolder& folder) {
    const std::wstring path = folder.SettingsCacheFile();
    const std::wstring head = Joined({L"设置缓存 ", DisplayName(folder, path), L"："});
    if (!fileio::FileExists(path)) return head + L"没有";
    CachedValues values;
    if (DWORD error = ReadSettingsFile(path, values)) {
        return Joined({head, L"无法读取（错误代码 ", DecimalText(error), L"）"});
    }
    bool gaps = false;
    const std::wstring line = ValuesLine(values, gaps);
    return Joined({head, line, gaps ? L"\n（- 表示文件中没有这一行或数值太长，apply 不带数值时用默认值代替）" : L""});
}

// The version and what follows from it, from the game file read once: the
// version, the code bytes and the slots all come from the same bytes.
std::wstring GameLines(const GameFolder& folder, ExitCode& code) {
    fileio::Bytes game;
    if (DWORD error = fileio::ReadFilePrefix(folder.GameFile(), kMaxGameFileSize, game)) {
        const Outcome outcome = OutcomeForError(error, folder.GameFile(), true);
        code = ExitCodeFor(outcome);
        return Joined({L"游戏版本：无法识别，", ProblemText(outcome, kGameFileName, error)});
    }
    const GameVersion version = RecogniseGameBytes(game);
    if (version == GameVersion::Unknown) code = ExitCode::VersionNotRecognised;
    // Without code page 936 no game is recognised: why, on the same line.
    const bool noCodePage = version == GameVersion::Unknown && !CodePageInstalled(kGameCodePage);
    return Joined({L"游戏版本：", version == GameVersion::Unknown ? kVersionUnknownText : VersionName(version),
                   noCodePage ? L"。" : L"", noCodePage ? kCodePageMissingText : L"", L"\n",
                   GameFileLines(version, game)});
}

}  // namespace

Reply RunStatus(const GameFolder& folder) {
    if (std::optional<Reply> refusal = RefuseOutsideGameFolder(folder)) return *refusal;
    Reply reply;
    const std::wstring game = GameLines(folder, reply.code);
    reply.out = Joined({L"游戏目录：", fileio::FullPath(folder.base), L"\n", game, L"\n", BackupLine(folder), L"\n",
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
