// A virus scanner checking the tool's fresh files: the backup, its record
// and the settings cache of one apply are held (read sharing only) by
// tests/tools/hold_files while the next command runs. A short hold is
// waited out; a lasting one ends with 5, the likely cause named, and
// every file as it was.
#include <gtest/gtest.h>

#include "cli/exit_code.h"
#include "core/text/codepage.h"
#include "tests/faults/tool_fixture.h"

namespace tarnwick::test {
namespace {

TEST_F(ToolFixture, AScannerCheckingTheToolsNewFilesIsWaitedForOrNamed) {
    const DWORD inUse = static_cast<DWORD>(cli::ExitCode::InUse);
    const struct {
        bool restore;
        DWORD holdMs;  // a moment, less than the tool waits, or past the command
        DWORD exitCode;
        std::vector<std::wstring> text;
    } rows[] = {
        {false, 1000, 0, {L"恭喜您修改成功"}},
        {false, 60000, inUse, {L"修改失败", L"Data\\bak\\meteor.bak", L"杀毒软件", L"游戏文件没有改动"}},
        {true, 1000, 0, {L"恭喜您还原成功"}},
        {true, 60000, inUse, {L"还原失败", L"Data\\bak\\meteor.bak", L"杀毒软件", L"备份文件仍然保留"}},
    };
    FieldTexts first = DefaultFieldTexts(), second = first;
    second[9] = L"45";
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.restore ? "restore" : "apply") << ", held " << row.holdMs << " ms");
        MakeGameFolder(GameVersion::V1_07);
        ASSERT_EQ(RunCommand(Folder(), L"apply " + ValueArguments(first)).exitCode, 0u);
        const std::wstring held[] = {Path(L"Data\\Slowlysave.cfg"), Path(L"Data\\bak\\meteor.sum"),
                                     Path(L"Data\\bak\\meteor.bak")};
        const Bytes record = ReadFileBytes(held[1]);
        // For apply, the game updated since: its original is the next backup.
        const Bytes updated = MakeSyntheticGame(version_, 6);
        if (!row.restore) WriteFileBytes(Path(L"meteor.exe"), updated);
        const Bytes game = Game();
        std::wstring arguments = std::to_wstring(row.holdMs);
        for (const std::wstring& path : held) arguments += L" \"" + path + L"\"";
        CommandResult result;
        {
            CommandRun scanner(WinePathFromUnix(TARNWICK_HOLD_FILES_PATH), Folder(), arguments);
            ASSERT_TRUE(WaitUntil([&] { return fileio::HeldOpenByOthers(held[2]); }));  // opened in order
            result = RunCommand(Folder(), row.restore ? std::wstring(L"restore") : L"apply " + ValueArguments(second));
        }
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_TRUE(SaysAll(CodePageToWide(row.exitCode ? result.errors : result.output, CP_UTF8), row.text));
        if (row.exitCode) {
            ExpectFiles(game, pristine_, CacheOf(first));
            EXPECT_EQ(ReadFileBytes(held[1]), record) << "the backup's record";
        } else if (row.restore) {
            ExpectFiles(pristine_, std::nullopt, CacheOf(first));
            EXPECT_FALSE(fileio::FileExists(held[1])) << "the backup's record";
        } else {
            ExpectFiles(PatchedGame(updated, version_, second), updated, CacheOf(second));
            EXPECT_NE(ReadFileBytes(held[1]), record) << "the record of the new backup";
        }
    }
}

}  // namespace
}  // namespace tarnwick::test
