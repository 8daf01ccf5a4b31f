#pragma once
// The one rule for a folder's path that ends in separators ("D:\Games\",
// "D:/Games//"): every folder the tool names is spelt without them, so
// that both spellings are one folder and a file name is joined on with a
// single backslash.
#include <string>

namespace tarnwick::fileio {

// `path` without the backslashes and slashes at its end. A root keeps its
// own, as a backslash, since without it "D:\" would name the drive's
// current folder and "\" nothing: "D:\", "D:/" and "D:\\" are "D:\", "\"
// and "/" are "\". "\\server\share\" is "\\server\share".
std::wstring WithoutTrailingSeparator(const std::wstring& path);

}  // namespace tarnwick::fileio
