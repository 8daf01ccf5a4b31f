// Tarnwick.com, the console twin of Tarnwick.exe. cmd.exe runs it when
// "Tarnwick" is typed without an extension (.COM comes before .EXE in
// PATHEXT), and as a console program it is waited for at the prompt and
// sets %ERRORLEVEL%. It runs Tarnwick.exe beside it with the same
// arguments and the same standard handles, so the window program writes
// into this console, and ends with its exit code. Without arguments
// (double-clicked) it starts the window and ends at once, so that its
// console window closes.
#include <windows.h>

#include <string>
#include <string_view>

#include "cli/console_events.h"
#include "cli/exit_code.h"
#include "cli/program_name.h"
#include "core/disk/program_folder.h"
#include "form/message_box.h"
#include "words/console_twin_text.h"

namespace {

// Tarnwick.exe in this program's folder.
std::wstring WindowProgram() {
    const std::wstring folder = tarnwick::fileio::ProgramFolder();
    return folder.empty() ? std::wstring(L"Tarnwick.exe") : folder + L"\\Tarnwick.exe";
}

// Double-clicked in Explorer, this program has a console of its own that
// nothing else uses: let it go before the window program starts, so that
// no empty console window stays behind the tool. Started from a prompt,
// the prompt shares the console and it stays.
void LeaveOwnConsole() {
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) == 1) FreeConsole();
}

// Why the window program did not start: not there beside this one, or
// another reason the system gives (no right to run it, a damaged file).
void SayNotStarted(const std::wstring& exe, DWORD error, bool command) {
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    const std::wstring text = tarnwick::WindowProgramNotStartedText(exe, missing, error) + L"\r\n";
    // Double-clicked, the console is gone by now.
    if (!command) {
        MessageBoxW(nullptr, text.c_str(), tarnwick::kMessageTitle.data(), MB_OK | MB_ICONERROR);
        return;
    }
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (WriteConsoleW(err, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) return;
    char bytes[1024];
    const int count = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes,
                                          sizeof bytes, nullptr, nullptr);
    if (count > 0) WriteFile(err, bytes, static_cast<DWORD>(count), &written, nullptr);
}

}  // namespace

int main() {
    // The command line after the program's own name, passed on as it is.
    const std::wstring_view line = GetCommandLineW();
    const std::wstring_view arguments = line.substr(tarnwick::cli::ProgramNameEnd(line));
    const bool command = arguments.find_first_not_of(L" \t") != std::wstring_view::npos;
    const std::wstring exe = WindowProgram();
    std::wstring windowLine = L"\"" + exe + L"\"" + std::wstring(arguments);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (command) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        // Ctrl+C and Ctrl+Break stop neither this program nor the command
        // it waits for: a patch cut off half-way is worse than one that runs
        // to its end, and the code passed on must be the command's. The
        // first call also has the command started ignore Ctrl+C; only a
        // handler can ignore Ctrl+Break.
        SetConsoleCtrlHandler(nullptr, TRUE);
        SetConsoleCtrlHandler(tarnwick::cli::KeepTwinWaiting, TRUE);
    }
    if (!command) LeaveOwnConsole();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), windowLine.data(), nullptr, nullptr, command, 0, nullptr, nullptr,
                        &startup, &process)) {
        SayNotStarted(exe, GetLastError(), command);
        return static_cast<int>(tarnwick::cli::ExitCode::InternalError);
    }
    CloseHandle(process.hThread);
    DWORD code = 0;
    if (command) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        code = tarnwick::cli::ExitCodePassedOn(code);
    }
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
