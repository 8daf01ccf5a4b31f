#pragma once
// What --help (or -h, /?, help) shows: the commands, the options, the
// values file, where the output goes, and last the exit codes, one a line,
// as the command line's table of them gives them (cli/exit_code.h).
#include <string>
#include <string_view>

namespace tarnwick {

// What each exit code means, in a few words, as --help lists them beside
// their numbers (cli/exit_code.h pairs them).
inline constexpr std::wstring_view kExitSuccessMeaning = L"成功（有警告时写在标准错误上）";
inline constexpr std::wstring_view kExitNothingToDoMeaning = L"没有要做的事：没有备份可以还原，或没有记下的数值；什么也没改";
inline constexpr std::wstring_view kExitUsageErrorOrNoScreenMeaning =
    L"参数或数值有误，或不带参数时没有人看得到窗口：什么也没做";
inline constexpr std::wstring_view kExitNotAGameFolderMeaning = L"不是游戏目录（没有 meteor.exe），什么也没做";
inline constexpr std::wstring_view kExitVersionNotRecognisedMeaning = L"无法识别游戏版本，或游戏文件刚被换掉，什么也没做";
inline constexpr std::wstring_view kExitInUseMeaning = L"游戏正在运行、文件被占用或另一个本工具在改：什么也没做，稍后再试";
inline constexpr std::wstring_view kExitFailedUnchangedMeaning = L"失败，游戏文件没有改动";
inline constexpr std::wstring_view kExitFailedMayBeDamagedMeaning = L"失败，游戏文件可能已损坏，请运行 restore";
inline constexpr std::wstring_view kExitGameFolderUnreachableMeaning =
    L"找不到或无法访问游戏目录（网络未通、路径写错），什么也没做";
inline constexpr std::wstring_view kExitInternalErrorMeaning = L"本工具内部出错，或 Tarnwick.com 旁边没有 Tarnwick.exe";

// `version` is the tool's.
std::wstring HelpText(std::wstring_view version, std::wstring_view exitCodeLines);

}  // namespace tarnwick
