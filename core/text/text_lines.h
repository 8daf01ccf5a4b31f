#pragma once
// Line splitting for the tool's small text files.
#include <string_view>
#include <vector>

namespace tarnwick {

inline constexpr std::wstring_view kLineEnd = L"\r\n";

// Lines end with CR LF, or with a lone CR or LF as other editors leave
// them. A last line without an ending counts; nothing after the last
// ending does. Code page 936 never uses CR or LF inside a character, so
// the bytes can be split before decoding; decoded text splits the same way.
std::vector<std::string_view> SplitLines(std::string_view text);
std::vector<std::wstring_view> SplitLines(std::wstring_view text);

// The whole lines among the first bytes of a file. When the file goes on
// past the bytes that were read, the last line read may have been cut
// short, so it is left out: a reader then sees fewer lines, never a line
// that reads differently from the file.
std::string_view WholeLines(std::string_view firstBytes, bool fileGoesOn);

}  // namespace tarnwick
