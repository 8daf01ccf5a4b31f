// Faults met by "确认" and "还原" in the real tool: the game file held open
// by another program, made read-only, deleted or replaced after start-up,
// another copy of the tool at work, the Data folders replaced by files and
// the tool's files by folders, backups that are no original, and a disk
// that cannot be written. After each the game file is as before or as
// intended, the backup is the pristine file, the "系统信息" box says what
// happened and what to do, and once the fault is gone the next click works.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "core/folder_lock.h"
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
    // Another copy of the tool holding the game folder, as during its own
    // apply or restore: the tool waits a moment, then gives up.
    std::optional<FolderLock> otherCopy;
    const GameFileFault faults[] = {
        {"another copy of the tool at work in the folder",
         [&](const std::wstring&) { ASSERT_FALSE(otherCopy.emplace(GameFolder{Folder()}).Busy()); },
         [&](const std::wstring&) { otherCopy.reset(); },
         {L"修改失败", L"本工具正在另一个窗口中修改或还原游戏文件", L"游戏文件没有改动"},
         {L"还原失败", L"本工具正在另一个窗口中修改或还原游戏文件", L"游戏文件没有改动"}},
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

TEST_F(ToolFaults, GameFileReplacedWhileTheToolRuns) {
    const struct {
        const char* name;
        GameVersion started;
        GameVersion replacedBy;
        std::uint32_t seed;
    } cases[] = {
        {"1.07 replaced by 1.08", GameVersion::V1_07, GameVersion::V1_08, 5},
        {"1.08 replaced by an unrecognised file", GameVersion::V1_08, GameVersion::Unknown, 5},
        {"9.07 replaced by 1.07, which has the same slots", GameVersion::V9_07, GameVersion::V1_07, 5},
        {"1.08 replaced by another 1.08: still patched by the tag", GameVersion::V1_08, GameVersion::V1_08, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGameFolder(c.started);
        ASSERT_NO_FATAL_FAILURE(StartTool());
        const Bytes replacement = MakeSyntheticGame(c.replacedBy, c.seed);
        WriteFileBytes(Path(L"meteor.exe"), replacement);

        const std::wstring text = ClickAndAnswer(Confirm());
        ExpectToolAlive();
        if (c.replacedBy == c.started) {
            EXPECT_EQ(text, L"恭喜您修改成功");
            ExpectFiles(PatchedGame(replacement, c.replacedBy, DefaultFieldTexts()), replacement, CacheOf());
            continue;
        }
        EXPECT_TRUE(SaysAll(text, {L"修改失败", L"meteor.exe 在本工具启动后被换成了别的文件", L"重新运行",
                                   L"游戏文件没有改动"}));
        ExpectFiles(replacement, std::nullopt, std::nullopt);
        EXPECT_FALSE(IsWindowEnabled(Restore()));
    }
}

TEST_F(ToolFaults, BackupsThatAreNoOriginal) {
    const struct {
        const char* name;
        bool gamePatched;  // the game file as after a patch, or pristine
        Bytes (*backup)(const Bytes& pristine, const Bytes& patched);
        bool restore;      // the click: "还原", or "确认"
        std::vector<std::wstring> text;
    } cases[] = {
        // "确认" must not keep it, or "还原" would bring back a patched file.
        {"a patched copy of the pristine game file", false, [](const Bytes&, const Bytes& p) { return p; }, false,
         {L"恭喜您修改成功"}},
        {"empty", true, [](const Bytes&, const Bytes&) { return Bytes(); }, true,
         {L"还原失败", L"备份文件 Data\\bak\\meteor.bak 已损坏", L"重新安装游戏", L"游戏文件没有改动"}},
        {"cut to 1,000,000 bytes", true, [](const Bytes& o, const Bytes&) { return Bytes(o.begin(), o.begin() + 1000000); },
         true, {L"还原失败", L"已损坏", L"游戏文件没有改动"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGameFolder(GameVersion::V1_08);
        const Bytes game = c.gamePatched ? Patched() : pristine_;
        const Bytes backup = c.backup(pristine_, Patched());
        WriteFileBytes(Path(L"meteor.exe"), game);
        CreateDirectoryW(Path(L"Data\\Bak").c_str(), nullptr);
        WriteFileBytes(Path(L"Data\\Bak\\meteor.bak"), backup);
        ASSERT_NO_FATAL_FAILURE(StartTool());
        ASSERT_TRUE(IsWindowEnabled(Restore()));

        EXPECT_TRUE(SaysAll(ClickAndAnswer(c.restore ? Restore() : Confirm()), c.text));
        ExpectToolAlive();
        if (c.restore) {
            ExpectFiles(game, backup, std::nullopt);
            continue;
        }
        ExpectFiles(Patched(), pristine_, CacheOf());
        EXPECT_EQ(ClickAndAnswer(Restore()), L"恭喜您还原成功");
        ExpectFiles(pristine_, std::nullopt, CacheOf());
    }
}

TEST_F(ToolFaults, FoldersWhereTheToolsFilesBelong) {
    const struct {
        const wchar_t* file;  // a folder in its place
        std::vector<std::wstring> text;
        bool patched;  // the cache only remembers the values: the patch goes ahead
    } cases[] = {
        {L"Data\\Bak\\meteor.bak",
         {L"修改失败", L"Data\\bak\\meteor.bak 应该是文件，现在却是一个同名文件夹", L"改名或移到别处",
          L"游戏文件没有改动"},
         false},
        {L"Data\\Slowlysave.cfg",
         {L"恭喜您修改成功\n但这些数值没能记下来，下次启动时不会自动填入",
          L"Data\\Slowlysave.cfg 应该是文件，现在却是一个同名文件夹"},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
        MakeGameFolder(GameVersion::V1_07);
        CreateDirectoryW(Path(L"Data\\Bak").c_str(), nullptr);
        ASSERT_TRUE(CreateDirectoryW(Path(c.file).c_str(), nullptr));
        ASSERT_NO_FATAL_FAILURE(StartTool());

        const std::wstring text = ClickAndAnswer(Confirm());
        EXPECT_TRUE(SaysAll(text, c.text));
        EXPECT_EQ(text.find(L"管理员"), std::wstring::npos) << testing::PrintToString(text);
        ExpectToolAlive();
        EXPECT_TRUE(FolderExists(Path(c.file))) << "the player's folder is left alone";
        if (c.patched) {
            ExpectFiles(Patched(), pristine_, std::nullopt);
        } else {
            ExpectFiles(pristine_, std::nullopt, std::nullopt);
        }
    }
}

TEST_F(ToolFaults, ADiskThatCannotBeWrittenIsNamedAsSuch) {
    const std::wstring disk = SmallDiskPath();
    const std::wstring view = SmallDiskReadOnlyViewPath();
    if (disk.empty() || view.empty()) {
        GTEST_SKIP() << "TARNWICK_SMALL_DISK_READONLY is not set: scripts/test mounts a read-only view of the small "
                        "disk there when it may mount file systems";
    }
    // A patched game with its backup, written through the writable path and
    // seen by the tool through the read-only one.
    MakeGameFolder(GameVersion::V1_07, disk);
    WriteFileBytes(Path(L"meteor.exe"), Patched());
    CreateDirectoryW(Path(L"Data\\Bak").c_str(), nullptr);
    WriteFileBytes(Path(L"Data\\Bak\\meteor.bak"), pristine_);
    ASSERT_NO_FATAL_FAILURE(StartTool(view + Folder().substr(disk.size())));

    for (const auto& [button, prefix] : {std::pair{Confirm(), L"修改失败"}, std::pair{Restore(), L"还原失败"}}) {
        const std::wstring text = ClickAndAnswer(button);
        EXPECT_TRUE(SaysAll(text, {prefix, L"游戏所在的磁盘是只读的", L"meteor.exe", L"可以写入的磁盘"}));
        EXPECT_EQ(text.find(L"管理员"), std::wstring::npos) << testing::PrintToString(text);
        ExpectToolAlive();
        ExpectFiles(Patched(), pristine_, std::nullopt);
    }
}

}  // namespace
}  // namespace tarnwick::test
