#pragma once
// A window's text, whatever the window's character set.
#include <windows.h>

#include <string>

namespace tarnwick {

// The window's text through GetWindowTextW, so that no character is lost to
// the system's code page; empty for a window without text.
std::wstring GetWindowTextString(HWND window);

}  // namespace tarnwick
