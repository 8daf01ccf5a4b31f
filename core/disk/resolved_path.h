#pragma once
// A path with every link on the way resolved, as the system names it.
#include <windows.h>

#include <string>

namespace tarnwick::fileio {

// The path with every link, junction and substituted drive on the way
// resolved, as the system names the file itself ("C:\Games\x", or
// "\\server\share\x"); FullPath() where the system cannot tell (Windows
// XP) or the path does not exist. `resolved`, when given, tells which: a
// name resolved through the file is also normalised (long names, not 8.3).
std::wstring FinalPath(const std::wstring& path, bool* resolved = nullptr);

}  // namespace tarnwick::fileio
