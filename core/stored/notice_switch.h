#pragma once
// The notice switch file .\data\Hint.cfg: two lines, the second one saying
// whether the start-up notice is shown.
#include <string>
#include <string_view>

#include "core/disk/game_folder.h"
#include "core/result.h"

namespace tarnwick {

inline constexpr std::wstring_view kSwitchOn = L"启用";
inline constexpr std::wstring_view kSwitchOff = L"停用";

// True only when line 2 is exactly the bytes of "信息：停用". A missing,
// short or unreadable file leaves the notice switched on.
bool ParseNoticeSwitchedOff(std::string_view bytes);
bool NoticeSwitchedOff(const GameFolder& folder);

std::string FormatHintFile(std::wstring_view switchWord);  // code page 936
// Creates .\Data if needed, then writes both lines.
OperationResult WriteHintFile(const GameFolder& folder, std::wstring_view switchWord);

}  // namespace tarnwick
