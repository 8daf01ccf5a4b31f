#pragma once
// The folder of this program's own file, for every front end that looks
// beside itself (the window for the game file, the console twin for
// Tarnwick.exe).
#include <string>

namespace tarnwick::fileio {

// Without a trailing backslash; empty when the system cannot give the
// program's name (longer than any path the system takes).
std::wstring ProgramFolder();

}  // namespace tarnwick::fileio
