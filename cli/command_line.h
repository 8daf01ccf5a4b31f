#pragma once
// The tool started with arguments: one command over a game folder, its
// result written out (see output.h), and an exit code for scripts. No
// window of the tool opens.
#include <string>
#include <string_view>
#include <vector>

#include "cli/reply.h"

namespace tarnwick::cli {

// Whether a command line (GetCommandLineW) holds anything after the
// program's name. False only where the system's splitter finds the name
// alone: an empty line, or the name (quoted, or without blanks, quotes and
// control characters) followed by nothing but spaces and tabs. Any other
// line counts as having arguments, and the splitter decides.
bool HasArguments(std::wstring_view commandLine);

// The process's arguments without its own name, as the system's
// CommandLineToArgvW splits them; empty when it was started without any.
std::vector<std::wstring> CommandLineArguments();

// What the arguments ask for, and its exit code; `version` is the tool's.
Reply Answer(const std::vector<std::wstring>& arguments, std::wstring_view version);

// Answers and delivers the text; returns the exit code.
int RunCommandLine(const std::vector<std::wstring>& arguments, std::wstring_view version);

}  // namespace tarnwick::cli
