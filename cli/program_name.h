#pragma once
// The program's own name at the start of its command line, as the system
// splits it off. Its own small file, so that Tarnwick.com, which passes
// the rest of its line on to Tarnwick.exe, takes no more of the command
// line's code than this.
#include <cstddef>
#include <string_view>

namespace tarnwick::cli {

// Where the name ends on `commandLine` (GetCommandLineW): after the closing
// quote of a quoted name (the line's end without one), or at the first
// space or tab after an unquoted one (the line's end without one).
std::size_t ProgramNameEnd(std::wstring_view commandLine);

}  // namespace tarnwick::cli
