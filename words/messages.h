#pragma once
// The texts the tool shows a player: in the window's "系统信息" box after an
// operation, and on the command line. Only words here; what went wrong is
// found out in core (core/disk/path_problem.h), and an operation's whole
// text is put together in words/operation_text.h.
#include <string>
#include <string_view>

#include "core/disk/game_folder.h"
#include "core/game/version.h"
#include "core/result.h"
#include "core/text/decimal_text.h"

namespace tarnwick {

inline constexpr std::wstring_view kPatchSucceededText = L"恭喜您修改成功";
inline constexpr std::wstring_view kRestoreSucceededText = L"恭喜您还原成功";
inline constexpr std::wstring_view kVersionUnknownText = L"无法识别您当前所使用的版本";
inline constexpr std::wstring_view kBackupMissingText = L"还原文件丢失 还原失败";
// Why no game is recognised on a system that lacks code page 936, and what
// to install.
inline constexpr std::wstring_view kCodePageMissingText =
    L"这台电脑没有安装简体中文的语言支持，本工具无法识别任何游戏版本。"
    L"请在“控制面板 → 区域和语言选项 → 语言”中勾选“为东亚语言安装文件”（Windows XP 需要放入安装光盘），"
    L"重新启动电脑后再试。";
// The refusal of a game file of no version the tool knows: the first line
// is kVersionUnknownText, then the versions it knows, that the game file
// was not changed, and what to do; on a system that lacks code page 936,
// kCodePageMissingText on its own line instead, since no game can be
// recognised there.
std::wstring VersionUnknownText(bool codePageInstalled);
// What follows the first line on a system with code page 936: the versions
// the tool knows, that the game file was not changed, and what to do.
std::wstring VersionUnknownAdviceText();
// Started where there is no meteor.exe.
inline constexpr wchar_t kNotInGameFolderText[] = L"程序必须在流星蝴蝶剑的安装目录下才能运行";
// The same on the command line, naming the folder (`shown`, in full).
std::wstring NoGameFileText(std::wstring_view shown);
// The command line's --game-dir names a file other than the game file.
std::wstring GameDirIsFileText(std::wstring_view shown);
// Started as administrator from a mapped network drive, which a program
// started that way does not see: the cause, and what to do.
inline constexpr std::wstring_view kMappedDriveUnseenText =
    L"以管理员身份运行的程序看不到映射的网络驱动器，所以找不到游戏目录。"
    L"请直接双击运行本工具，不要选择“以管理员身份运行”。";
// The status line while the game folder holds no game file, and while the
// game folder itself is gone (moved, deleted, or its disk removed).
inline constexpr std::wstring_view kNoGameFileStatusText = L"游戏目录中没有游戏文件 meteor.exe";
inline constexpr std::wstring_view kGameFolderGoneStatusText = L"找不到游戏目录（已被移走、删除，或所在的磁盘已拔出）";
// "还原" while the game folder is gone: nothing may be lost, it is only
// out of reach.
inline constexpr std::wstring_view kGameFolderGoneText =
    L"找不到游戏目录：它已被移走、删除，或所在的磁盘已拔出，无法还原。\n"
    L"游戏目录回到原处后可以再点击“还原”。";
// The command line's game folder cannot be found or reached now.
std::wstring GameFolderUnreachableText(std::wstring_view shown, unsigned long error);
// The last line of a failure that left the game file as it was.
inline constexpr std::wstring_view kGameUnchangedText = L"游戏文件没有改动。";
// The same after a restore that left the backup as well.
inline constexpr std::wstring_view kBothKeptText = L"游戏文件没有改动，备份文件仍然保留。";
// The same when the restore may be tried again.
inline constexpr std::wstring_view kBackupKeptText = L"游戏文件没有改动，备份文件仍然保留，可以稍后再点击“还原”。";
// The same when another program changed the game file after the restore
// wrote it.
inline constexpr std::wstring_view kOnlyBackupKeptText = L"备份文件仍然保留，可以稍后再点击“还原”。";
// The last line of a restore whose copy did not read back as the backup.
inline constexpr std::wstring_view kRestoreIncompleteText =
    L"游戏文件可能没有还原完整；备份文件仍然保留，请关闭游戏后再点击“还原”。";
// The second line of a successful apply that found no unpatched original
// to keep as the backup.
inline constexpr std::wstring_view kNoOriginalBackupText =
    L"但游戏目录中没有原版游戏文件的备份（修改前的游戏文件就已经是改过的），“还原”无法恢复原版；"
    L"如需原版游戏文件，请重新安装游戏。";

// What a backup is that belongs to another game file.
inline constexpr std::wstring_view kOtherGameOriginalText =
    L"是另一个游戏文件的原版（共用 Data 文件夹的另一个游戏目录，或者游戏重装、升级以前的文件）";

// What to do about a folder that needs administrator rights, as the window
// says it, and as the command line says it instead: a prompt opened as
// administrator starts in System32 and does not see the drive letters
// mapped for the user, so the game folder is named in full there.
inline constexpr std::wstring_view kRunAsAdministratorAdvice = L"请右键点击本工具，选择“以管理员身份运行”，然后再试。";
inline constexpr std::wstring_view kCommandLineAdministratorAdvice =
    L"请右键点击“命令提示符”，选择“以管理员身份运行”，在其中运行本工具，并用 --game-dir 写出游戏目录的完整路径："
    L"管理员的命令提示符从 C:\\Windows\\System32 开始，也看不到映射的网络驱动器盘符，"
    L"网络上的游戏目录请写成 \\\\服务器\\共享\\… 的形式。";

// What is wrong with the value, in one sentence naming the field.
std::wstring ValueProblemText(int field, ValueProblem problem, std::wstring_view value);
// The same with what to do in the window on a second line.
std::wstring InvalidValueText(int field, ValueProblem problem, std::wstring_view value);

// "<what happened>\n<what to do>". `fileName` is shown as given (relative
// to the game folder).
std::wstring ProblemText(Outcome outcome, std::wstring_view fileName, unsigned long error);

// The refusal of a restore whose backup is of another version than the
// game file: putting it back would change the game's version.
std::wstring OtherVersionText(std::wstring_view fileName, GameVersion backup, GameVersion game);

// "修改失败：<what happened>\n<what to do>[\n<state>]".
std::wstring FailureText(Action action, Outcome outcome, std::wstring_view fileName, unsigned long error,
                         std::wstring_view stateNote = {});

// The last line of an apply whose failure could not be undone either: with
// `originalKept`, "还原" can still put the original back.
std::wstring GameMayBeDamagedText(bool originalKept);

// The second line of an apply that kept another game file's original
// under the backup's second name and made a backup of its own.
std::wstring BackupMovedAsideText();

// The second line of a restore whose backup stayed after the game file was
// put back.
std::wstring BackupNotDeletedText(std::wstring_view fileName);

// The second line of an apply whose values the settings cache could not
// keep: why, and what to do.
std::wstring ValuesNotRememberedText(Outcome outcome, std::wstring_view fileName, unsigned long error);

// Saving the notice switch found another copy of the tool working in the
// game folder for the whole wait.
std::wstring NoticeSwitchBusyText();

// The report of a game file that could not be read at start-up, so that no
// version could be recognised.
std::wstring GameFileUnreadableText(Outcome outcome, unsigned long error);

}  // namespace tarnwick
