#pragma once
// The tool started with arguments: one command over a game folder, its
// result written out (see output.h), and an exit code for scripts. No
// window of the tool opens.
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace tarnwick::cli {

// The process's arguments without its own name, as the C runtime splits
// them; empty when it was started without any.
std::vector<std::wstring> CommandLineArguments();

// What the arguments ask for, and its exit code; `version` is the tool's.
Reply Answer(const std::vector<std::wstring>& arguments, std::wstring_view version);

// Answers and delivers the text; returns the exit code.
int RunCommandLine(const std::vector<std::wstring>& arguments, std::wstring_view version);

}  // namespace tarnwick::cli
