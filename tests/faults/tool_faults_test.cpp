// Faults met by "确认" and "还原" in the real tool: the game file held open
// by another program, made read-only or deleted after start-up, and the
// Data folders replaced by files. After each the game file is as before or
// as intended, the backup is the pristine file, the "系统信息" box says what
// happened and what to do, and once the fault is gone the next click works.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/faults/tool_fixture.h"

namespace tarnwick::test {
namespace {

class ToolFaults : public ToolFixture {};

// A fault that can be put on the game file and taken off again.
struct GameFileFault {
    const char* name;
    std::function<void(const std::wstring& game)> put;
    std::function<void(const std::wstring& game)> remove;
    std::vector<std::wstring> applyText;    // parts of the text after "确认"
    std::vector<std::wstring> restoreText;  // parts of the text after "还原"
};

// A file this process holds open, as a running game holds its exe.
struct HeldFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~HeldFile() { Release(); }
    void Release() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
};

TEST_F(ToolFaults, GameFileInUseOrReadOnlyFailsBothButtonsUntilTheFaultIsGone) {
    HeldFile held;
    auto holdWith = [&held](DWORD share) {
        return [&held, share](const std::wstring& game) {
            held.handle = CreateFileW(game.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
        };
    };
    auto release = [&held](const std::wstring&) { held.Release(); };
    const GameFileFault faults[] = {
        {"held open by the running game, which lets others read", holdWith(FILE_SHARE_READ), release,
         {L"修改失败", L"meteor.exe 正在被使用", L"请先关闭游戏", L"游戏文件没有改动"},
         {L"还原失败", L"meteor.exe 正在被使用", L"请先关闭游戏", L"备份文件仍然保留"}},
        {"held open by a program that shares nothing", holdWith(0), release,
         {L"修改失败", L"meteor.exe 正在被使用", L"请先关闭游戏", L"游戏文件没有改动"},
         {L"还原失败", L"meteor.exe 正在被使用", L"请先关闭游戏", L"备份文件仍然保留"}},
        {"read-only",
         [](const std::wstring& game) { ASSERT_TRUE(SetFileAttributesW(game.c_str(), FILE_ATTRIBUTE_READONLY)); },
         [](const std::wstring& game) { SetFileAttributesW(game.c_str(), FILE_ATTRIBUTE_NORMAL); },
         {L"修改失败", L"meteor.exe 是只读的", L"取消“只读”", L"游戏文件没有改动"},
         {L"还原失败", L"meteor.exe 是只读的", L"取消“只读”", L"备份文件仍然保留"}},
    };
    // One tool for all of them: each fault ends where it began, with the
    // pristine game file and no backup.
    MakeGameFolder(GameVersion::V1_07);
    const std::wstring gamePath = Path(L"meteor.exe");
    ASSERT_NO_FATAL_FAILURE(StartTool());
    for (const GameFileFault& fault : faults) {
        SCOPED_TRACE(fault.name);
        const std::optional<Bytes> cacheBefore = CacheBytes();

        // "确认" with the fault: nothing changes.
        ASSERT_NO_FATAL_FAILURE(fault.put(gamePath));
        EXPECT_TRUE(SaysAll(ClickAndAnswer(Confirm()), fault.applyText));
        ExpectToolAlive();
        fault.remove(gamePath);
        EXPECT_EQ(Game(), pristine_);
        EXPECT_FALSE(BackupThere());
        EXPECT_EQ(CacheBytes(), cacheBefore) << "the settings cache is left as it was";
        EXPECT_EQ(LeftoverTemporaryFiles(Folder()), 0);
        EXPECT_FALSE(IsWindowEnabled(Restore()));

        // Without it: patched, with the pristine backup.
        EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
        EXPECT_EQ(Game(), Patched());
        EXPECT_EQ(Backup(), pristine_);
        EXPECT_TRUE(IsWindowEnabled(Restore()));

        // "还原" with the fault: the backup stays, and so does the button.
        ASSERT_NO_FATAL_FAILURE(fault.put(gamePath));
        EXPECT_TRUE(SaysAll(ClickAndAnswer(Restore()), fault.restoreText));
        ExpectToolAlive();
        fault.remove(gamePath);
        EXPECT_EQ(Game(), Patched());
        EXPECT_EQ(Backup(), pristine_);
        EXPECT_EQ(LeftoverTemporaryFiles(Folder()), 0);
        EXPECT_TRUE(IsWindowEnabled(Restore()));

        // Without it: the pristine file is back.
        EXPECT_EQ(ClickAndAnswer(Restore()), L"恭喜您还原成功");
        EXPECT_EQ(Game(), pristine_);
        EXPECT_FALSE(BackupThere());
        EXPECT_FALSE(IsWindowEnabled(Restore()));
    }
}

TEST_F(ToolFaults, GameFileDeletedAfterStartUp) {
    MakeGameFolder(GameVersion::V1_08);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    const std::wstring game = Path(L"meteor.exe");
    ASSERT_TRUE(DeleteFileW(game.c_str()));

    // The tool was started in the right folder: it says the file is gone,
    // not that the tool is in the wrong place.
    const std::wstring text = ClickAndAnswer(Confirm());
    EXPECT_TRUE(SaysAll(text, {L"修改失败", L"找不到游戏文件 meteor.exe", L"放回"}));
    EXPECT_EQ(text.find(L"请把本工具放在"), std::wstring::npos) << testing::PrintToString(text);
    ExpectToolAlive();
    EXPECT_FALSE(PathExists(game));
    EXPECT_FALSE(PathExists(Path(L"Data\\Bak")));
    EXPECT_FALSE(CacheThere());

    // Put back, it is patched.
    WriteFileBytes(game, pristine_);
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    EXPECT_EQ(Game(), Patched());
    EXPECT_EQ(Backup(), pristine_);

    // Deleted again, "还原" brings the pristine file back from the backup.
    ASSERT_TRUE(DeleteFileW(game.c_str()));
    EXPECT_EQ(ClickAndAnswer(Restore()), L"恭喜您还原成功");
    EXPECT_EQ(Game(), pristine_);
    EXPECT_FALSE(BackupThere());
}

TEST_F(ToolFaults, DataFoldersReplacedByFiles) {
    const struct {
        const wchar_t* folder;  // replaced by a file of the same name
        const wchar_t* shown;   // how the message names it
    } cases[] = {
        {L"Data", L"Data"},
        {L"Data\\Bak", L"Data\\Bak"},
    };
    const Bytes squatter = {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'l', 'd', 'e', 'r'};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.folder)));
        MakeGameFolder(GameVersion::V9_07);
        ASSERT_NO_FATAL_FAILURE(StartTool());
        const std::wstring path = Path(c.folder);
        RemoveTree(path);
        WriteFileBytes(path, squatter);

        const std::wstring text = ClickAndAnswer(Confirm());
        EXPECT_TRUE(SaysAll(text, {L"修改失败", std::wstring(c.shown) + L" 应该是文件夹", L"同名文件",
                                   L"改名或移到别处", L"游戏文件没有改动"}));
        ExpectToolAlive();
        EXPECT_EQ(Game(), pristine_);
        EXPECT_EQ(ReadFileBytes(path), squatter) << "the player's file is left alone";
        EXPECT_FALSE(CacheThere());
        EXPECT_FALSE(IsWindowEnabled(Restore()));

        // Moved away, the next click works.
        ASSERT_TRUE(DeleteFileW(path.c_str()));
        EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
        EXPECT_EQ(Game(), Patched());
        EXPECT_EQ(Backup(), pristine_);

        // The backup's folder replaced in turn: nothing to restore from.
        RemoveTree(path);
        WriteFileBytes(path, squatter);
        EXPECT_EQ(ClickAndAnswer(Restore()), L"还原文件丢失 还原失败");
        ExpectToolAlive();
        EXPECT_EQ(Game(), Patched());
        EXPECT_FALSE(IsWindowEnabled(Restore()));
    }
}

}  // namespace
}  // namespace tarnwick::test
