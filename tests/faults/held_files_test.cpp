// A virus scanner checking the tool's fresh files: the backup, its record
// and the settings cache that one apply wrote are held open by another
// program (read sharing only, as a scanner opens a file it checks) while
// the next command runs. A short hold is waited out; one that lasts ends
// with exit code 5, a message that names the likely cause, and every file
// as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/exit_code.h"
#include "core/codepage.h"
#include "tests/faults/tool_fixture.h"

namespace tarnwick::test {
namespace {

// hold_files started on `paths` for `holdMs`; ended, if still running,
// when it goes.
class Scanner {
public:
    Scanner(const std::wstring& folder, DWORD holdMs, const std::vector<std::wstring>& paths)
        : last_(paths.back()), run_(WinePathFromUnix(TARNWICK_HOLD_FILES_PATH), folder, Arguments(holdMs, paths)) {}

    // Whether it holds them all by now (it opens them in order).
    bool Holding() {
        return WaitUntil([this] {
            HANDLE probe = CreateFileW(last_.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
            if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
            return probe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
        });
    }

private:
    static std::wstring Arguments(DWORD holdMs, const std::vector<std::wstring>& paths) {
        std::wstring arguments = std::to_wstring(holdMs);
        for (const std::wstring& path : paths) arguments += L" \"" + path + L"\"";
        return arguments;
    }

    std::wstring last_;
    CommandRun run_;
};

TEST_F(ToolFixture, AScannerCheckingTheToolsNewFilesIsWaitedForOrNamed) {
    constexpr DWORD kMoment = 1000;   // less than the tool waits
    constexpr DWORD kLasting = 60000;  // ended after the command
    const DWORD inUse = static_cast<DWORD>(cli::ExitCode::InUse);
    const struct {
        const char* name;
        bool restore;
        DWORD holdMs;
        DWORD exitCode;
        std::vector<std::wstring> text;
    } rows[] = {
        {"apply of an updated game over a backup checked for a moment", false, kMoment, 0, {L"恭喜您修改成功"}},
        {"apply of an updated game over a backup checked throughout", false, kLasting, inUse,
         {L"修改失败", L"Data\\bak\\meteor.bak", L"杀毒软件", L"游戏文件没有改动"}},
        {"restore of a backup checked for a moment", true, kMoment, 0, {L"恭喜您还原成功"}},
        {"restore of a backup checked throughout", true, kLasting, inUse,
         {L"还原失败", L"Data\\bak\\meteor.bak", L"杀毒软件", L"备份文件仍然保留"}},
    };
    FieldTexts first = DefaultFieldTexts(), second = DefaultFieldTexts();
    second[9] = L"45";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MakeGameFolder(GameVersion::V1_07);
        ASSERT_EQ(RunCommand(Folder(), L"apply " + ValueArguments(first)).exitCode, 0u);
        const std::wstring recordPath = Path(L"Data\\bak\\meteor.sum");
        const Bytes record = ReadFileBytes(recordPath);
        // The game updated since: its original is the backup to write next.
        const Bytes updated = MakeSyntheticGame(version_, 6);
        ASSERT_NE(updated, pristine_);
        if (!row.restore) WriteFileBytes(Path(L"meteor.exe"), updated);
        const Bytes game = Game();

        CommandResult result;
        {
            Scanner scanner(Folder(), row.holdMs, {Path(L"Data\\Slowlysave.cfg"), recordPath, Path(L"Data\\bak\\meteor.bak")});
            ASSERT_TRUE(scanner.Holding());
            result = RunCommand(Folder(), row.restore ? std::wstring(L"restore") : L"apply " + ValueArguments(second));
        }
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_TRUE(SaysAll(CodePageToWide(row.exitCode ? result.errors : result.output, CP_UTF8), row.text));
        const bool done = row.exitCode == 0;
        if (!done) {
            ExpectFiles(game, pristine_, CacheOf(first));
            EXPECT_EQ(ReadFileBytes(recordPath), record) << "the backup's record";
        } else if (row.restore) {
            ExpectFiles(pristine_, std::nullopt, CacheOf(first));
            EXPECT_FALSE(fileio::FileExists(recordPath)) << "the backup's record";
        } else {
            ExpectFiles(PatchedGame(updated, version_, second), updated, CacheOf(second));
            EXPECT_NE(ReadFileBytes(recordPath), record) << "the record of the new backup";
        }
    }
}

}  // namespace
}  // namespace tarnwick::test
