#include "cli/status_command.h"

#include "cli/joined_text.h"
#include "core/backup/backup_check.h"
#include "core/disk/file_io.h"
#include "core/disk/path_problem.h"
#include "core/game/patch_plan.h"
#include "core/game/patch_table.h"
#include "core/game/version.h"
#include "core/stored/settings_cache.h"
#include "core/text/codepage.h"
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

std::wstring BackupVerdictText(const GameFolder& folder, const BackupInspection& inspection) {
    const std::wstring_view version = VersionName(inspection.version);
    switch (inspection.verdict) {
        case BackupVerdict::Missing: return L"没有";
        case BackupVerdict::NotAFile: return L"不是文件，而是一个同名文件夹";
        case BackupVerdict::Unreadable:
            return Joined({L"无法读取 ", DisplayName(folder, inspection.errorPath), L"（错误代码 ",
                           DecimalText(inspection.error), L"）"});
        case BackupVerdict::Original: return Joined({L"原版游戏文件（", version, L" 版），可以还原"});
        case BackupVerdict::OtherVersion:
            return Joined({L"原版游戏文件（", version, L" 版），但现在的游戏文件是 ", VersionName(inspection.gameVersion),
                           L" 版，不能直接还原"});
        case BackupVerdict::Damaged: return L"已损坏（不完整、被改动过，或不是本工具认识的游戏文件），不能用来还原";
        case BackupVerdict::NotOriginal: return L"不是原版游戏文件（它本身已经被修改过），不能用来还原";
        case BackupVerdict::IsGameFile: return Joined({L"和游戏文件 ", kGameFileName, L" 是同一个文件（硬链接），不是真正的备份"});
        case BackupVerdict::OtherGame:
            return Joined({L"原版游戏文件（", version, L" 版），但属于另一个游戏，不能用来还原"});
        case BackupVerdict::Unverifiable:
            return L"没有记录，又没有认得出的游戏文件可以对照，不能用来还原";
        case BackupVerdict::GameHardLinked:
            return Joined({L"无法使用：游戏文件 ", kGameFileName, L" 和其他位置的文件是同一个文件（硬链接）"});
        case BackupVerdict::GameLinked: return Joined({L"无法使用：游戏文件 ", kGameFileName, L" 是指向其他位置的链接"});
        case BackupVerdict::NotOwnFile:
            return Joined({L"无法使用：", DisplayName(folder, inspection.errorPath), L" 是指向别处的链接，不是本工具自己的文件"});
    }
    return L"";
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
