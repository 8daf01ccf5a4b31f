#pragma once
// Where the command line's text goes: the result to standard output,
// refusals, failures and warnings to standard error. The tool is a window
// program, so the system gives it no console: it finds one itself.
// - A stream redirected to a file, a pipe or a device gets its text in
//   UTF-8, so that every character arrives whatever the code page of the
//   system or of a console. When the write fails (a full disk, a closed
//   pipe) the text is lost and nothing else happens: a script that
//   redirected the output is never left waiting on a window.
// - A console, its own or its parent's (cmd.exe, PowerShell, Tarnwick.com,
//   a terminal under Wine), gets the text as UTF-16 through WriteConsoleW,
//   so that it shows correctly whatever the console's code page.
// - Started with neither (from a shortcut or Explorer), the text is shown
//   in one "系统信息" box of the tool, unless the process runs where no
//   screen shows its windows (a service, a scheduled task run whether the
//   user is logged on or not): then the text is lost and the exit code
//   says the rest.
#include <string_view>

namespace tarnwick::cli {

// `out` and `err` are lines separated by "\n"; each line ends with CR LF
// where it is written out. An empty text writes nothing.
void Deliver(std::wstring_view out, std::wstring_view err);

}  // namespace tarnwick::cli
