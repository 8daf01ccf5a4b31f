#pragma once
// What --help (or -h, /?, help) shows: the commands, the options, the
// values file, where the output goes, and last the exit codes, one a line,
// as the command line's table of them gives them (cli/exit_code.h).
#include <string>
#include <string_view>

namespace tarnwick {

// `version` is the tool's.
std::wstring HelpText(std::wstring_view version, std::wstring_view exitCodeLines);

}  // namespace tarnwick
