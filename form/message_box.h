#pragma once
// The tool's message boxes: the platform's box with the title "系统信息",
// an OK button only and no icon, its text in a font that draws every
// character of it (form/message_font.h).
#include <windows.h>

#include <string_view>

namespace tarnwick {

// Title of every message box of the tool.
inline constexpr std::wstring_view kMessageTitle = L"系统信息";

// The box owned by the given window; returns when it is answered.
void ShowMessageBox(HWND owner, std::wstring_view text);
// The same box when no window of the tool is open (the command line started
// from a shortcut), drawn by the style engine as the boxes of the windows
// are. Returns when the box is answered.
void ShowMessageBoxAlone(std::wstring_view text);

}  // namespace tarnwick
