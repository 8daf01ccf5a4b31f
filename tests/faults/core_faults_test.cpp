// The file-level core, in process, on the faults the tool tests met: a
// file where one of the tool's folders belongs (or a folder where a file
// does), and a game file that went away after start-up. Each writer names
// what happened and what to do.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/apply.h"
#include "core/hint_file.h"
#include "core/settings_cache.h"
#include "tests/faults/tool_fixture.h"

namespace tarnwick::test {
namespace {

TEST(CoreFaults, AFileWhereAFolderBelongsAndTheReverseAreNamedAsSuch) {
    const Bytes squatter = {'x'};
    const struct {
        const char* name;
        const wchar_t* folder;  // replaced by a file (or the file by a folder, for NotAFile)
        const wchar_t* prefix;  // what the player was doing
        std::function<OperationResult(const GameFolder&)> write;
        Outcome outcome = Outcome::NotAFolder;
    } cases[] = {
        {"apply, Data", L"Data", L"修改失败",
         [](const GameFolder& f) { return ApplyPatch(f, GameVersion::V1_07, DefaultFieldTexts()); }},
        {"apply, Data\\Bak", L"Data\\Bak", L"修改失败",
         [](const GameFolder& f) { return ApplyPatch(f, GameVersion::V1_07, DefaultFieldTexts()); }},
        {"settings cache, Data", L"Data", L"保存数值失败",
         [](const GameFolder& f) { return WriteSettingsCache(f, DefaultFieldTexts()); }},
        {"notice switch file, Data", L"Data", L"保存提示设置失败",
         [](const GameFolder& f) { return WriteHintFile(f, kSwitchOff); }},
        {"notice switch file, a folder data\\Hint.cfg", L"data\\Hint.cfg", L"保存提示设置失败",
         [](const GameFolder& f) { return WriteHintFile(f, kSwitchOff); }, Outcome::NotAFile},
        {"apply, a folder meteor.exe", L"meteor.exe", L"修改失败",
         [](const GameFolder& f) { return ApplyPatch(f, GameVersion::V1_07, DefaultFieldTexts()); }, Outcome::NotAFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder temp;
        const GameFolder folder{temp.Path()};
        const Bytes game = MakeSyntheticGame(GameVersion::V1_07);
        WriteFileBytes(folder.GameFile(), game);
        CreateDirectoryW(folder.DataFolder().c_str(), nullptr);
        const std::wstring path = temp / c.folder;
        RemoveTree(path);
        const bool file = c.outcome == Outcome::NotAFolder;
        if (file) WriteFileBytes(path, squatter);
        if (!file) CreateDirectoryW(path.c_str(), nullptr);

        const OperationResult result = c.write(folder);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.message.find(c.prefix), 0u) << testing::PrintToString(result.message);
        EXPECT_TRUE(SaysAll(result.message, {std::wstring(c.folder) + (file ? L" 应该是文件夹" : L" 应该是文件，"),
                                             L"改名或移到别处"}));
        EXPECT_TRUE(file ? ReadFileBytes(path) == squatter : FolderExists(path));
        if (path != folder.GameFile()) {
            EXPECT_EQ(ReadFileBytes(folder.GameFile()), game);
        }
    }
}

TEST(CoreFaults, AGameFileGoneAfterStartUpIsToldToBePutBack) {
    TempFolder temp;
    const GameFolder folder{temp.Path()};
    const OperationResult result = ApplyPatch(folder, GameVersion::V1_08, DefaultFieldTexts());
    EXPECT_EQ(result.outcome, Outcome::GameFileMissing);
    EXPECT_TRUE(SaysAll(result.message, {L"修改失败", L"找不到游戏文件 meteor.exe", L"移走、改名或删除",
                                         L"放回游戏安装目录"}));
    EXPECT_FALSE(FolderExists(folder.DataFolder()));
}

}  // namespace
}  // namespace tarnwick::test
