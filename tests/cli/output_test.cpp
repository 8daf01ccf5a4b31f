// What an administrator sees in cmd: the real Tarnwick.com typed at cmd.exe
// in a console of the test's own, whose screen the test reads back. The
// text reaches the console as UTF-16 (WriteConsoleW), so Chinese arrives
// whole whatever the console's code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/exit_code.h"
#include "core/disk/game_folder.h"
#include "core/game/version.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_driver.h"

namespace tarnwick::test {
namespace {

// A new console in place of the one the test was started with, wide enough
// that no line of the tool wraps. The test's own standard handles are put
// back when it goes.
class OwnConsole {
public:
    OwnConsole() {
        for (int i = 0; i < 3; ++i) saved_[i] = GetStdHandle(kStreams[i]);
        FreeConsole();
        if (!AllocConsole()) return;
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        input_ = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                             OPEN_EXISTING, 0, nullptr);
        screen_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              &inherited, OPEN_EXISTING, 0, nullptr);
        SetConsoleScreenBufferSize(screen_, COORD{kWidth, 200});
    }
    ~OwnConsole() {
        if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
        if (screen_ != INVALID_HANDLE_VALUE) CloseHandle(screen_);
        FreeConsole();
        for (int i = 0; i < 3; ++i) SetStdHandle(kStreams[i], saved_[i]);
    }
    OwnConsole(const OwnConsole&) = delete;
    OwnConsole& operator=(const OwnConsole&) = delete;

    bool Ready() const { return input_ != INVALID_HANDLE_VALUE && screen_ != INVALID_HANDLE_VALUE; }

    // cmd.exe /c `command` in this console, as typed at its prompt; the exit
    // code, or STILL_ACTIVE when it did not end in time.
    DWORD Run(const std::wstring& command) {
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";
        std::wstring line = L"cmd.exe /c " + command;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input_;
        startup.hStdOutput = screen_;
        startup.hStdError = screen_;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(cmd.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                            &process)) {
            return STILL_ACTIVE;
        }
        CloseHandle(process.hThread);
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        return code;
    }

    // The screen's rows up to the cursor, trailing blanks dropped, one
    // "\n" after each.
    std::wstring Screen() const {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (!GetConsoleScreenBufferInfo(screen_, &info)) return {};
        std::wstring text;
        std::vector<wchar_t> row(static_cast<std::size_t>(info.dwSize.X));
        for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
            DWORD read = 0;
            ReadConsoleOutputCharacterW(screen_, row.data(), static_cast<DWORD>(row.size()), COORD{0, y}, &read);
            std::wstring line(row.data(), read);
            line.erase(line.find_last_not_of(L' ') + 1);
            text += line + L"\n";
        }
        return text;
    }

private:
    static constexpr SHORT kWidth = 400;
    static constexpr DWORD kStreams[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    HANDLE saved_[3] = {};
    HANDLE input_ = INVALID_HANDLE_VALUE;
    HANDLE screen_ = INVALID_HANDLE_VALUE;
};

// Standard output and standard error both, each line on a row of its own.
TEST(ConsoleOutput, ChineseTextArrivesWholeOnTheConsoleScreen) {
    TempFolder temp;
    const std::wstring game = temp / L"流星蝴蝶剑";
    const std::wstring notAGame = temp / L"别的目录";
    ASSERT_TRUE(CreateDirectoryW(game.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(notAGame.c_str(), nullptr));
    WriteFileBytes(game + L"\\" + kGameFileName, MakeSyntheticGame(GameVersion::V1_07));
    const std::wstring tool = L"\"" + WinePathFromUnix(TARNWICK_COM_PATH) + L"\"";
    const struct {
        const char* name;
        std::wstring folder;
        cli::ExitCode code;
        std::wstring rows;  // as they stand on the screen, one after another
    } runs[] = {
        {"status, on standard output", game, cli::ExitCode::Success,
         L"游戏目录：" + game + L"\n游戏版本：1.07\n"},
        {"a refusal, on standard error", notAGame, cli::ExitCode::NotAGameFolder,
         L"程序必须在流星蝴蝶剑的安装目录下才能运行\n" + notAGame + L" 中没有游戏文件 meteor.exe。\n"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        OwnConsole console;
        ASSERT_TRUE(console.Ready());
        const DWORD code = console.Run(L"\"" + tool + L" status --game-dir \"" + run.folder + L"\"\"");
        EXPECT_EQ(code, static_cast<DWORD>(run.code));
        const std::wstring screen = console.Screen();
        EXPECT_NE(screen.find(run.rows), std::wstring::npos) << testing::PrintToString(screen);
    }
}

// A batch file or scheduled task with one stream redirected and the other
// absent, and no console: what has no place to go is dropped, and no
// message box waits for a click nobody will give.
TEST(ConsoleOutput, OneStreamRedirectedAndTheOtherAbsentBringsUpNoWindow) {
    TempFolder temp;
    WriteFileBytes(temp / kGameFileName, MakeSyntheticGame(GameVersion::V1_07));
    const struct {
        const char* name;
        const wchar_t* arguments;
        bool outputRedirected;  // else standard error; the other absent
        cli::ExitCode code;
    } runs[] = {
        {"a refusal on the absent standard error", L"restore", true, cli::ExitCode::NothingToDo},
        {"status on the absent standard output", L"status", false, cli::ExitCode::Success},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        HANDLE log = CreateFileW((temp / L"log.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                 CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(log, INVALID_HANDLE_VALUE);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = run.outputRedirected ? log : nullptr;
        startup.hStdError = run.outputRedirected ? nullptr : log;
        PROCESS_INFORMATION process{};
        std::wstring line = L"\"" + ToolExePath() + L"\" " + run.arguments;
        ASSERT_TRUE(CreateProcessW(ToolExePath().c_str(), line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS,
                                   nullptr, temp.Path().c_str(), &startup, &process));
        CloseHandle(process.hThread);
        CloseHandle(log);
        // Until it ends; a window it shows meanwhile fails the run and ends it.
        bool windowShown = false;
        while (WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT && !windowShown) {
            for (HWND window : TopLevelWindows(process.dwProcessId)) windowShown = windowShown || IsWindowVisible(window);
        }
        EXPECT_FALSE(windowShown);
        if (windowShown) TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        EXPECT_EQ(code, static_cast<DWORD>(run.code));
    }
}

}  // namespace
}  // namespace tarnwick::test
