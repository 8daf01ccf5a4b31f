#pragma once
// Where the command line's text goes. The tool is a window program, so the
// system gives it no console: it finds one itself.
// - Output redirected to a file or a pipe (by a batch file, a script, a
//   program that reads it) gets the text in UTF-8, so that every character
//   arrives whatever the code page of the system or of a console.
// - A console, its own or its parent's (cmd.exe, PowerShell, a terminal
//   under Wine), gets the text as UTF-16 through WriteConsoleW, so that it
//   shows correctly whatever the console's code page.
// - Started with neither (from a shortcut or Explorer), the text is shown
//   in one "系统信息" box of the tool.
#include <string_view>

namespace tarnwick::cli {

// `text` is lines separated by "\n"; each line ends with CR LF where it is
// written out.
void Deliver(std::wstring_view text);

}  // namespace tarnwick::cli
