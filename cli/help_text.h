#pragma once
// What --help (or -h, /?, help) shows: the commands, the options, the
// values file, where the output goes, and the exit codes from their table.
#include <string>
#include <string_view>

namespace tarnwick::cli {

// `version` is the tool's.
std::wstring HelpText(std::wstring_view version);

}  // namespace tarnwick::cli
