#include "words/backup_verdict_text.h"

#include "core/text/decimal_text.h"
#include "words/joined_text.h"

namespace tarnwick {

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

}  // namespace tarnwick
