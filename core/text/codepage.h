#pragma once
// Conversions between UTF-16 and a Windows code page.
//
// The tool's text files are in code page 936 (GBK) whatever the system's
// own code page is, so the file code converts with 936 explicitly. Window
// texts never pass through a code page: the windows are Unicode.
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr unsigned kGameCodePage = 936;   // GBK

// Whether the system can convert with the code page: Windows XP without
// East Asian language support lacks 936, and every conversion with it
// gives nothing, so that no game could be recognised.
bool CodePageInstalled(unsigned codePage);

// Each UTF-16 unit that the code page cannot represent becomes "?", as the
// platform's default conversion does.
std::string WideToCodePage(std::wstring_view text, unsigned codePage);
std::wstring CodePageToWide(std::string_view bytes, unsigned codePage);

}  // namespace tarnwick
