#pragma once
// The texts the window shows in its "系统信息" box after an operation, and
// the mapping from Win32 errors to what a player can do about them.
#include <string>
#include <string_view>

#include "core/game_folder.h"
#include "core/result.h"

namespace tarnwick {

inline constexpr std::wstring_view kPatchSucceededText = L"恭喜您修改成功";
inline constexpr std::wstring_view kRestoreSucceededText = L"恭喜您还原成功";
inline constexpr std::wstring_view kVersionUnknownText = L"无法识别您当前所使用的版本";
inline constexpr std::wstring_view kBackupMissingText = L"还原文件丢失 还原失败";
// The last line of a failure that left the game file as it was.
inline constexpr std::wstring_view kGameUnchangedText = L"游戏文件没有改动。";

// What the player was doing; it opens every failure text.
enum class Action { Apply, Restore, SaveSettings, SaveNoticeSwitch };

enum class ValueProblem { Empty, NotDigits, TooLong };

// A number's decimal digits. Written out by hand: std::to_wstring would
// bring the runtime's whole printf into the exe for four numbers.
std::wstring DecimalText(unsigned long value);

// The field as the player sees it: "第2个“血值”", or "“时间”" for a caption
// that only one field has. Fields are counted in reading order, which is
// index order.
std::wstring FieldName(int field);
std::wstring InvalidValueText(int field, ValueProblem problem, std::wstring_view value);

// What a Win32 error met on `path` means for the player.
Outcome OutcomeForError(unsigned long error, const std::wstring& path, bool isGameFile);

// "<what happened>\n<what to do>". `fileName` is shown as given (relative
// to the game folder).
std::wstring ProblemText(Outcome outcome, std::wstring_view fileName, unsigned long error);

// "修改失败：<what happened>\n<what to do>[\n<state>]".
std::wstring FailureText(Action action, Outcome outcome, std::wstring_view fileName, unsigned long error,
                         std::wstring_view stateNote = {});

// A failed operation with an outcome of its own rather than one from a
// Win32 error.
OperationResult OutcomeResult(Action action, Outcome outcome, std::wstring_view fileName,
                              std::wstring_view stateNote = {});

// The file's name relative to the game folder, as the player knows it.
std::wstring DisplayName(const GameFolder& folder, const std::wstring& path);

// A failed operation on `path`, with its outcome and text filled in.
OperationResult FailureResult(Action action, const GameFolder& folder, const std::wstring& path,
                              unsigned long error, std::wstring_view stateNote = {});

}  // namespace tarnwick
