#pragma once
// The engine keeps texts as UTF-16 and hands them to the platform's ANSI
// functions (DrawTextA, GetWindowTextA, HDM_GETITEMA) in the system's ANSI
// code page, 936 on the systems the tool serves.
#include <string>
#include <string_view>

namespace tarnwick {

std::wstring AnsiToWide(std::string_view text);
// Characters the code page cannot hold become "?", as the platform does.
std::string WideToAnsi(std::wstring_view text);

}  // namespace tarnwick
