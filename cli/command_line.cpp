#include "cli/command_line.h"

#include <windows.h>

#include "cli/apply_restore_commands.h"
#include "cli/crash_guard.h"
#include "cli/output.h"
#include "cli/program_name.h"
#include "cli/status_command.h"
#include "core/disk/game_folder.h"
#include "win32/system_library.h"
#include "words/help_text.h"
#include "words/joined_text.h"
#include "words/usage_text.h"

namespace tarnwick::cli {

bool HasArguments(std::wstring_view line) {
    const std::size_t end = ProgramNameEnd(line);
    if (!line.empty() && line[0] != L'"') {
        // A line that starts with a blank, or an unquoted name with a quote
        // or a control character in it, is left to the system's splitter.
        if (end == 0) return true;
        for (wchar_t unit : line.substr(0, end)) {
            if (unit < L' ' || unit == L'"') return true;
        }
    }
    return line.find_first_not_of(L" \t", end) != std::wstring_view::npos;
}

std::vector<std::wstring> CommandLineArguments() {
    std::vector<std::wstring> arguments;
    const wchar_t* line = GetCommandLineW();
    // The window's start, nearly every start, needs no splitting: shell32
    // (and what it loads) is loaded only for a line with arguments.
    if (!HasArguments(line)) return arguments;
    const CommandLineToArgvProc split = SystemCommandLineToArgv();
    int count = 0;
    LPWSTR* words = split ? split(line, &count) : nullptr;
    if (!words) return arguments;
    for (int i = 1; i < count; ++i) arguments.emplace_back(words[i]);
    LocalFree(words);
    return arguments;
}

Reply Answer(const std::vector<std::wstring>& arguments, std::wstring_view version) {
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.error.empty()) {
        return Refusal(ExitCode::UsageErrorOrNoScreen, Joined({parsed.error, kSeeHelpText}));
    }
    const Request& request = parsed.request;
    // One full path for the checks, the changes and the messages alike,
    // without the separators at its end: "D:\Games\" is "D:\Games".
    const GameFolder folder = GameFolderAt(GameDirOf(request.gameDir));
    switch (request.command) {
        case Command::Help: return {ExitCode::Success, HelpText(version, ExitCodeLines()), L""};
        case Command::Version: return {ExitCode::Success, Joined({L"Tarnwick ", version}), L""};
        case Command::Status: return RunStatus(folder);
        case Command::Apply: return RunApply(folder, request);
        case Command::Restore: return RunRestore(folder);
    }
    return Refusal(ExitCode::UsageErrorOrNoScreen, L"");
}

int RunCommandLine(const std::vector<std::wstring>& arguments, std::wstring_view version) {
    EndWithInternalErrorOnCrash();
    const Reply reply = Answer(arguments, version);
    Deliver(reply.out, reply.err);
    return static_cast<int>(reply.code);
}

}  // namespace tarnwick::cli
