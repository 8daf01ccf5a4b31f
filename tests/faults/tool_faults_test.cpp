// Faults met by "确认" and "还原" in the real tool: the game file held open
// by another program or copy of the tool, made read-only, deleted or
// replaced after start-up, files and folders in each other's place, bad
// backups, a read-only disk. After each the game file is as before or as
// intended, the backup is the pristine file, the "系统信息" box says what
// happened and what to do, and once the fault is gone the next click works.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "core/operations/folder_lock.h"
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
    std::optional<FolderLock> otherCopy;  // as during its own apply or restore
    const GameFileFault faults[] = {
        {"another copy of the tool at work in the folder",
         [&](const std::wstring&) { ASSERT_FALSE(otherCopy.emplace(GameFolder{Folder()}).Busy()); },
         [&](const std::wstring&) { otherCopy.reset(); },
         {L"修改失败", L"本工具的另一个副本（窗口或命令行）正在修改或还原这个游戏目录中的文件", L"游戏文件没有改动"},
         {L"还原失败", L"本工具的另一个副本（窗口或命令行）正在修改或还原这个游戏目录中的文件", L"游戏文件没有改动"}},
        {"a copy on another machine holds the folder's lock file",
         [&](const std::wstring&) {
             held.handle = CreateFileW(Path(L"Tarnwick.lock").c_str(), GENERIC_READ, 0, nullptr, CREATE_NEW, 0, nullptr);
             ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
         },
         [&](const std::wstring&) {
             held.Release();
             DeleteFileW(Path(L"Tarnwick.lock").c_str());
         },
         {L"修改失败", L"本工具的另一个副本（窗口或命令行）正在修改或还原这个游戏目录中的文件", L"游戏文件没有改动"},
         {L"还原失败", L"本工具的另一个副本（窗口或命令行）正在修改或还原这个游戏目录中的文件", L"游戏文件没有改动"}},
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

// Each row starts the tool on a game file and a backup, changes one path
// behind its back, clicks one button, and checks the message and the files.
TEST_F(ToolFaults, FilesChangedBehindTheToolsBack) {
    MakeGameFolder(GameVersion::V1_07);
    const Bytes pristine = pristine_, patched = Patched(), cut(pristine.begin(), pristine.begin() + 1000000);
    const Bytes v108 = MakeSyntheticGame(GameVersion::V1_08), other107 = MakeSyntheticGame(GameVersion::V1_07, 6);
    const Bytes unknown = MakeSyntheticGame(GameVersion::Unknown);
    const Bytes shortByOne(pristine.begin(), pristine.end() - 1);
    const std::wstring game = L"meteor.exe", backup = L"Data\\Bak\\meteor.bak", cache = L"Data\\Slowlysave.cfg";
    const std::wstring unchanged = L"游戏文件没有改动", folderThere = L" 应该是文件，现在却是一个同名文件夹";
    const struct {
        const char* name;
        Bytes game;
        std::optional<Bytes> backup;
        std::wstring changed;          // this path, after start-up, becomes
        std::optional<Bytes> changeTo;  // these bytes, or a folder
        bool restore;                   // the click: "还原" or "确认"
        std::vector<std::wstring> text;
        Bytes gameAfter;
        std::optional<Bytes> backupAfter, cacheAfter;
    } cases[] = {
        // Read again before "确认" acts: the 1.08 file is patched as 1.08.
        {"game replaced by 1.08", patched, pristine, game, v108, false, {L"恭喜您修改成功"},
         PatchedGame(v108, GameVersion::V1_08, DefaultFieldTexts()), v108, CacheOf()},
        {"game replaced by no known version", pristine, {}, game, unknown, false, {L"无法识别您当前所使用的版本"}, unknown,
         {}, {}},
        {"game replaced by another 1.07: patched", pristine, {}, game, other107, false, {L"恭喜您修改成功"},
         PatchedGame(other107, GameVersion::V1_07, DefaultFieldTexts()), other107, CacheOf()},
        {"a patched backup is no original", pristine, patched, {}, {}, false, {L"恭喜您修改成功"}, patched, pristine,
         CacheOf()},
        {"empty backup", patched, pristine, backup, Bytes(), true,
         {L"还原失败", L"备份文件 Data\\bak\\meteor.bak 已损坏", L"重新安装游戏", unchanged}, patched, Bytes(), {}},
        {"backup cut to 1,000,000 bytes", patched, pristine, backup, cut, true, {L"已损坏", unchanged}, patched, cut, {}},
        {"backup cut by one byte", patched, pristine, backup, shortByOne, true, {L"已损坏", unchanged}, patched,
         shortByOne, {}},
        {"a patched copy as backup, 还原", pristine, patched, {}, {}, true,
         {L"还原失败", L"meteor.bak 不是原版游戏文件", L"备份文件仍然保留"}, pristine, patched, {}},
        {"the game updated to 1.08 since the patch, 还原", patched, pristine, game, v108, true,
         {L"还原失败", L"是游戏 1.07 版的文件", L"meteor.exe 是 1.08 版", L"先把 meteor.exe 移到别处", unchanged}, v108,
         pristine, {}},
        {"a folder as backup, 还原", patched, pristine, backup, {}, true,
         {L"还原失败", L"Data\\bak\\meteor.bak" + folderThere, L"改名或移到别处", unchanged}, patched, {}, {}},
        {"a folder as backup, 确认", pristine, {}, backup, {}, false,
         {L"修改失败", L"Data\\bak\\meteor.bak" + folderThere, unchanged}, pristine, {}, {}},
        {"a folder as settings cache: patched all the same", pristine, {}, cache, {}, false,
         {L"恭喜您修改成功\n但这些数值没能记下来，下次启动时不会自动填入", L"Data\\Slowlysave.cfg" + folderThere},
         patched, pristine, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGameFolder(GameVersion::V1_07);
        WriteFileBytes(Path(game), c.game);
        CreateDirectoryW(Path(L"Data\\Bak").c_str(), nullptr);
        if (c.backup) WriteFileBytes(Path(backup), *c.backup);
        ASSERT_NO_FATAL_FAILURE(StartTool());
        if (!c.changed.empty()) {
            RemoveTree(Path(c.changed));
            if (c.changeTo) WriteFileBytes(Path(c.changed), *c.changeTo);
            if (!c.changeTo) CreateDirectoryW(Path(c.changed).c_str(), nullptr);
        }

        const std::wstring text = ClickAndAnswer(c.restore ? Restore() : Confirm());
        EXPECT_TRUE(SaysAll(text, c.text));
        EXPECT_EQ(text.find(L"管理员"), std::wstring::npos) << testing::PrintToString(text);
        ExpectToolAlive();
        ExpectFiles(c.gameAfter, c.backupAfter, c.cacheAfter);
    }
}

TEST_F(ToolFaults, ADiskThatCannotBeWrittenIsNamedAsSuch) {
    const std::wstring disk = SmallDiskPath(), view = SmallDiskReadOnlyViewPath();
    if (disk.empty() || view.empty()) GTEST_SKIP() << "scripts/test mounts a read-only view of the small disk";
    // Written through the small disk, seen by the tool through the view.
    MakeGameFolder(GameVersion::V1_07, disk);
    WriteFileBytes(Path(L"meteor.exe"), Patched());
    CreateDirectoryW(Path(L"Data\\Bak").c_str(), nullptr);
    WriteFileBytes(Path(L"Data\\Bak\\meteor.bak"), pristine_);
    // Seen through the view itself and through a link to it, as a junction
    // to a read-only disk would be.
    for (const std::wstring& seenBy : {view, SmallDiskReadOnlyLinkPath()}) {
        SCOPED_TRACE(testing::PrintToString(seenBy));
        if (seenBy.empty()) continue;
        ASSERT_NO_FATAL_FAILURE(StartTool(seenBy + Folder().substr(disk.size())));
        for (const auto& [button, prefix] : {std::pair{Confirm(), L"修改失败"}, std::pair{Restore(), L"还原失败"}}) {
            EXPECT_TRUE(SaysAll(ClickAndAnswer(button), {prefix, L"游戏所在的磁盘是只读的", L"可以写入的磁盘"}));
            ExpectFiles(Patched(), pristine_, std::nullopt);
        }
    }
}

}  // namespace
}  // namespace tarnwick::test
