#include "words/status_text.h"

#include "core/text/decimal_text.h"
#include "words/joined_text.h"
#include "words/messages.h"

namespace tarnwick {
namespace {

// The values, "-" where one is not there; `gaps` tells whether any is not.
std::wstring ValuesLine(const ValuesFound& values, bool& gaps) {
    std::wstring line;
    gaps = false;
    for (int i = 0; i < kFieldCount; ++i) {
        if (i) line += L' ';
        line += values[i] ? std::wstring_view(*values[i]) : std::wstring_view(L"-");
        gaps = gaps || !values[i];
    }
    return line;
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

}  // namespace

std::wstring FolderLineText(std::wstring_view fullPath) { return Joined({L"游戏目录：", fullPath}); }

std::wstring GameUnreadableLineText(Outcome outcome, unsigned long error) {
    return Joined({L"游戏版本：无法识别，", ProblemText(outcome, kGameFileName, error)});
}

std::wstring GameLinesText(GameVersion version, bool codePageInstalled, bool patched, const ValuesFound* values) {
    // Without code page 936 no game is recognised: why, on the same line.
    const bool noCodePage = version == GameVersion::Unknown && !codePageInstalled;
    const std::wstring versionLine =
        Joined({L"游戏版本：", version == GameVersion::Unknown ? kVersionUnknownText : VersionName(version),
                noCodePage ? L"。" : L"", noCodePage ? kCodePageMissingText : L"", L"\n"});
    if (!values) {
        return versionLine + L"游戏文件：版本未识别，无法判断是否修改过\n游戏文件中的数值：版本未识别，无法读取";
    }
    bool gaps = false;
    const std::wstring line = ValuesLine(*values, gaps);
    return Joined({versionLine, patched ? L"游戏文件：已修改" : L"游戏文件：未修改", L"\n游戏文件中的数值：", line,
                   gaps ? L"\n（- 表示游戏文件中这个数值的位置存放的不是数字）" : L""});
}

std::wstring BackupLineText(const GameFolder& folder, const BackupInspection& inspection) {
    return Joined({L"备份文件 ", DisplayName(folder, inspection.backupPath), L"：", BackupVerdictText(folder, inspection)});
}

std::wstring CacheLinesText(std::wstring_view name, bool present, unsigned long error, const ValuesFound& values) {
    const std::wstring head = Joined({L"设置缓存 ", name, L"："});
    if (!present) return head + L"没有";
    if (error) return Joined({head, L"无法读取（错误代码 ", DecimalText(error), L"）"});
    bool gaps = false;
    const std::wstring line = ValuesLine(values, gaps);
    return Joined({head, line, gaps ? L"\n（- 表示文件中没有这一行或数值太长，apply 不带数值时用默认值代替）" : L""});
}

}  // namespace tarnwick
