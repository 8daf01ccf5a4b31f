// The file-level core, in process, on the faults the tool tests met: a
// file where one of the tool's folders belongs (or a folder where a file
// does), and a game file that went away after start-up. Each writer names
// what happened and what to do.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/disk/file_io.h"
#include "core/disk/step_watch.h"
#include "core/operations/apply.h"
#include "core/operations/restore.h"
#include "core/stored/notice_switch.h"
#include "core/stored/settings_cache.h"
#include "tests/faults/tool_fixture.h"
#include "tests/support/unix_files.h"
#include "words/operation_text.h"

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
        EXPECT_EQ(OperationText(result).find(c.prefix), 0u) << testing::PrintToString(OperationText(result));
        EXPECT_TRUE(SaysAll(OperationText(result), {std::wstring(c.folder) + (file ? L" 应该是文件夹" : L" 应该是文件，"),
                                             L"改名或移到别处"}));
        EXPECT_TRUE(file ? ReadFileBytes(path) == squatter : fileio::FolderExists(path));
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
    EXPECT_TRUE(SaysAll(OperationText(result), {L"修改失败", L"找不到游戏文件 meteor.exe", L"移走、改名或删除",
                                         L"放回游戏安装目录"}));
    EXPECT_FALSE(fileio::FolderExists(folder.DataFolder()));
}

// Links and strangers where the tool's own files belong, as a café's shared
// folder or a Linux player's symlinked install may hold them. Whatever a
// name leads to is never written, replaced or deleted through it: the
// operation is refused naming the name, and every file keeps its bytes.
TEST(CoreFaults, LinksAndStrangersWhereTheToolsFilesBelongAreRefusedAndKept) {
    const std::wstring notOwn = L"不是本工具自己的文件";
    enum Op { kApply, kRestore };
    const struct {
        const char* name;
        bool patchedFirst;  // a first apply made a backup and record
        std::function<void(const GameFolder& f, const std::wstring& elsewhere)> put;
        Op op;
        Outcome outcome;
        std::wstring says;
    } cases[] = {
        {"Tarnwick.lock a link to meteor.exe", false,
         [](const GameFolder& f, const std::wstring&) { ASSERT_TRUE(MakeSymbolicLink(f.LockFile(), L"meteor.exe")); },
         kApply, Outcome::NotOwnFile, L"游戏目录中的 Tarnwick.lock " + notOwn},
        {"Tarnwick.lock a link to the backup", true,
         [](const GameFolder& f, const std::wstring&) {
             ASSERT_TRUE(MakeSymbolicLink(f.LockFile(), L"Data\\bak\\meteor.bak"));
         },
         kRestore, Outcome::NotOwnFile, L"游戏目录中的 Tarnwick.lock " + notOwn},
        {"Tarnwick.lock a link to an empty file elsewhere", false,
         [](const GameFolder& f, const std::wstring& elsewhere) {
             WriteFileBytes(elsewhere + L"\\empty", {});
             ASSERT_TRUE(MakeSymbolicLink(f.LockFile(), elsewhere + L"\\empty"));
         },
         kApply, Outcome::NotOwnFile, L"游戏目录中的 Tarnwick.lock " + notOwn},
        {"Tarnwick.lock a link to nothing", false,
         [](const GameFolder& f, const std::wstring& elsewhere) {
             ASSERT_TRUE(MakeSymbolicLink(f.LockFile(), elsewhere + L"\\gone"));
         },
         kApply, Outcome::NotOwnFile, L"游戏目录中的 Tarnwick.lock " + notOwn},
        {"Tarnwick.lock with content", false,
         [](const GameFolder& f, const std::wstring&) { WriteFileBytes(f.LockFile(), {'k', 'e', 'e', 'p'}); },
         kApply, Outcome::NotOwnFile, L"游戏目录中的 Tarnwick.lock " + notOwn},
        {"Tarnwick.lock a hard link of meteor.exe", false,
         [](const GameFolder& f, const std::wstring&) {
             ASSERT_TRUE(CreateHardLinkW(f.LockFile().c_str(), f.GameFile().c_str(), nullptr));
         },
         kApply, Outcome::NotOwnFile, L"游戏目录中的 Tarnwick.lock " + notOwn},
        {"the record a link to meteor.exe", true,
         [](const GameFolder& f, const std::wstring&) {
             DeleteFileW(f.BackupRecordFile().c_str());
             ASSERT_TRUE(MakeSymbolicLink(f.BackupRecordFile(), L"..\\..\\meteor.exe"));
         },
         kRestore, Outcome::NotOwnFile, L"游戏目录中的 Data\\bak\\meteor.sum " + notOwn},
        {"the record a link to meteor.exe, apply", true,
         [](const GameFolder& f, const std::wstring&) {
             DeleteFileW(f.BackupRecordFile().c_str());
             ASSERT_TRUE(MakeSymbolicLink(f.BackupRecordFile(), L"..\\..\\meteor.exe"));
         },
         kApply, Outcome::NotOwnFile, L"游戏目录中的 Data\\bak\\meteor.sum " + notOwn},
        {"the backup a link to an original elsewhere", true,
         [](const GameFolder& f, const std::wstring& elsewhere) {
             ASSERT_TRUE(MoveFileW(f.BackupFile().c_str(), (elsewhere + L"\\meteor.bak").c_str()));
             ASSERT_TRUE(MakeSymbolicLink(f.BackupFile(), elsewhere + L"\\meteor.bak"));
         },
         kRestore, Outcome::NotOwnFile, L"游戏目录中的 Data\\bak\\meteor.bak " + notOwn},
        {"meteor.exe a link to another install's game", false,
         [](const GameFolder& f, const std::wstring& elsewhere) {
             ASSERT_TRUE(MoveFileW(f.GameFile().c_str(), (elsewhere + L"\\meteor.exe").c_str()));
             ASSERT_TRUE(MakeSymbolicLink(f.GameFile(), elsewhere + L"\\meteor.exe"));
         },
         kApply, Outcome::GameFileLinked, L"游戏文件 meteor.exe 是指向其他位置的链接"},
        {"meteor.exe a link to another install's game, restore", true,
         [](const GameFolder& f, const std::wstring& elsewhere) {
             ASSERT_TRUE(MoveFileW(f.GameFile().c_str(), (elsewhere + L"\\meteor.exe").c_str()));
             ASSERT_TRUE(MakeSymbolicLink(f.GameFile(), elsewhere + L"\\meteor.exe"));
         },
         kRestore, Outcome::GameFileLinked, L"游戏文件 meteor.exe 是指向其他位置的链接"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder temp;
        TempFolder elsewhere;
        const GameFolder folder{temp.Path()};
        WriteFileBytes(folder.GameFile(), MakeSyntheticGame(GameVersion::V1_08, 3));
        if (c.patchedFirst) {
            ASSERT_TRUE(ApplyPatch(folder, GameVersion::V1_08, DefaultFieldTexts()).Succeeded());
        }
        ASSERT_NO_FATAL_FAILURE(c.put(folder, elsewhere.Path()));
        // Every file there is, through whatever names, as it was.
        std::vector<std::pair<std::wstring, Bytes>> files;
        for (const std::wstring& path : {folder.GameFile(), folder.BackupFile(), folder.BackupRecordFile(),
                                         folder.LockFile(), elsewhere / L"meteor.exe", elsewhere / L"meteor.bak",
                                         elsewhere / L"empty"}) {
            if (fileio::FileExists(path)) files.emplace_back(path, ReadFileBytes(path));
        }

        const OperationResult result = c.op == kApply ? ApplyPatch(folder, GameVersion::V1_08, DefaultFieldTexts())
                                                      : RestoreGameFile(folder);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_TRUE(SaysAll(OperationText(result), {c.op == kApply ? L"修改失败：" : L"还原失败：", c.says, L"游戏文件没有改动"}));
        for (const auto& [path, bytes] : files) {
            ASSERT_TRUE(fileio::FileExists(path)) << testing::PrintToString(path);
            EXPECT_EQ(ReadFileBytes(path), bytes) << testing::PrintToString(path);
        }
        UnixDelete(folder.LockFile());
    }
}

// Two installs whose Data (or Data\Bak) is one folder by a symbolic link,
// as Linux players and café images share it: each step's outcome, a
// restore only ever puts back the install's own original, and after every
// step each original is still its install's meteor.exe or kept in the
// shared folder (the backup, or the backup's second name).
TEST(CoreFaults, InstallsSharingDataEachKeepTheirOwnOriginal) {
    struct Step {
        char install;  // 'A' or 'B'
        bool apply;    // else restore
        Outcome outcome;
        std::wstring message;  // the whole text, where given
    };
    const std::wstring movedAside =
        L"恭喜您修改成功\n原来的备份 Data\\bak\\meteor.bak 是另一个游戏文件的原版（共用 Data 文件夹的另一个游戏目录，"
        L"或者游戏重装、升级以前的文件），已改名保存为 Data\\bak\\meteor.old。";
    const struct {
        const char* name;
        GameVersion versionB;
        const wchar_t* linked;  // B's folder that is a link to A's
        bool bPatchedAlone;     // B's game patched already, with no backup of its own
        std::vector<Step> steps;
        bool asideTaken = false;  // a player's file already named meteor.old in the shared folder
    } rows[] = {
        {"1.07 and 9.07 sharing Data", GameVersion::V9_07, L"Data", false,
         {{'A', true, Outcome::Ok, L"恭喜您修改成功"}, {'B', true, Outcome::Ok, movedAside},
          {'A', false, Outcome::Ok, L"恭喜您还原成功"}, {'B', false, Outcome::Ok, L"恭喜您还原成功"}}},
        {"one version, other bytes, Data\\Bak shared", GameVersion::V1_07, L"Data\\Bak", false,
         {{'A', true, Outcome::Ok, L"恭喜您修改成功"}, {'B', true, Outcome::Ok, movedAside},
          {'A', false, Outcome::Ok, L"恭喜您还原成功"}, {'B', false, Outcome::Ok, L"恭喜您还原成功"}}},
        {"meteor.old taken by a player's file", GameVersion::V1_07, L"Data", false,
         {{'A', true, Outcome::Ok, L"恭喜您修改成功"}, {'B', true, Outcome::BackupAsideTaken, L""},
          {'A', false, Outcome::Ok, L"恭喜您还原成功"}}, true},
        {"B patched with no backup of its own", GameVersion::V1_07, L"Data", true,
         {{'A', true, Outcome::Ok, L"恭喜您修改成功"}, {'B', false, Outcome::BackupOtherGame, L""},
          {'A', false, Outcome::Ok, L"恭喜您还原成功"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder temp;
        const GameFolder a{temp / L"A"}, b{temp / L"B"};
        for (const std::wstring& path : {a.base, b.base, a.DataFolder(), a.BackupFolder(), b.DataFolder()}) {
            CreateDirectoryW(path.c_str(), nullptr);
        }
        const std::wstring link = b.base + L"\\" + row.linked;
        RemoveDirectoryW(link.c_str());
        ASSERT_TRUE(MakeSymbolicLink(link, a.base + L"\\" + row.linked));
        const Bytes originalA = MakeSyntheticGame(GameVersion::V1_07, 1);
        const Bytes originalB = MakeSyntheticGame(row.versionB, 2);
        WriteFileBytes(a.GameFile(), originalA);
        WriteFileBytes(b.GameFile(),
                       row.bPatchedAlone ? PatchedGame(originalB, row.versionB, DefaultFieldTexts()) : originalB);
        const Bytes playersFile = {'m', 'i', 'n', 'e'};
        if (row.asideTaken) WriteFileBytes(a.BackupAsideFile(), playersFile);
        for (const Step& step : row.steps) {
            SCOPED_TRACE(testing::Message() << step.install << (step.apply ? " apply" : " restore"));
            const GameFolder& f = step.install == 'A' ? a : b;
            const GameVersion version = step.install == 'A' ? GameVersion::V1_07 : row.versionB;
            const Bytes& original = step.install == 'A' ? originalA : originalB;
            const OperationResult result =
                step.apply ? ApplyPatch(f, version, DefaultFieldTexts()) : RestoreGameFile(f);
            EXPECT_EQ(result.outcome, step.outcome) << testing::PrintToString(OperationText(result));
            if (!step.message.empty()) {
                EXPECT_EQ(OperationText(result), step.message);
            }
            if (step.outcome == Outcome::Ok) {
                EXPECT_TRUE(ReadFileBytes(f.GameFile()) ==
                            (step.apply ? PatchedGame(original, version, DefaultFieldTexts()) : original));
            }
            auto kept = [&](const GameFolder& own, const Bytes& bytes) {
                for (const std::wstring& path : {own.GameFile(), a.BackupFile(), a.BackupAsideFile()}) {
                    if (fileio::FileExists(path) && ReadFileBytes(path) == bytes) return true;
                }
                return false;
            };
            EXPECT_TRUE(kept(a, originalA)) << "A's original";
            if (row.asideTaken) EXPECT_EQ(ReadFileBytes(a.BackupAsideFile()), playersFile);
            if (!row.bPatchedAlone) {
                EXPECT_TRUE(kept(b, originalB)) << "B's original";
            }
        }
        UnixDelete(link);
    }
}

// Another program acting between two steps of the tool, at the very step
// where it does harm: another install's apply through a shared Data, an
// updater, a folder taking a name, a link swapped in for Data\Bak. No
// original is lost, nothing is deleted through a link, and what the tool
// says is what happened.
TEST(CoreFaults, AnotherProgramBetweenTwoStepsLosesNoOriginal) {
    struct At : fileio::StepWatcher {
        fileio::Step step;
        std::wstring suffix;  // of the path the step acts on
        std::function<void()> act;
        void Before(fileio::Step s, const std::wstring& path) override {
            if (!act || s != step || path.size() < suffix.size() ||
                fileio::FoldCase(path.substr(path.size() - suffix.size())) != fileio::FoldCase(suffix)) {
                return;
            }
            auto once = std::move(act);
            act = nullptr;
            once();
        }
    };
    const Bytes originalA = MakeSyntheticGame(GameVersion::V1_07, 1);
    const Bytes originalB = MakeSyntheticGame(GameVersion::V1_07, 2);  // another build of the same version
    const Bytes stranger = {'s', 't', 'r', 'a', 'n', 'g', 'e', 'r'};
    const struct {
        const char* name;
        char run;  // 'a' apply, 'r' restore, of install A (B's Data is a link to A's)
        fileio::Step step;
        const wchar_t* suffix;
        Outcome outcome;
        const wchar_t* says;
    } rows[] = {
        {"B applies while A's fresh backup is flushed", 'a', fileio::Step::Flush, L".tmp", Outcome::Ok, L"恭喜您修改成功"},
        {"an updater puts a file at meteor.exe while restore's copy goes in", 'r', fileio::Step::Rename,
         L"\\meteor.exe", Outcome::GameFileReplaced, L"备份文件仍然保留"},
        {"a folder takes meteor.bak once the old one moved aside", 'u', fileio::Step::Rename, L"\\meteor.bak",
         Outcome::NotAFile, L"已改名保存为 Data\\bak\\meteor.old"},
        {"Data\\Bak swapped for a link to a player's folder before the backup goes", 'r', fileio::Step::Delete,
         L"\\meteor.bak", Outcome::Ok, L"恭喜您还原成功"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder temp;
        const GameFolder a{temp / L"A"}, b{temp / L"B"};
        const std::wstring player = temp / L"player";
        for (const std::wstring& path : {a.base, b.base, player}) CreateDirectoryW(path.c_str(), nullptr);
        ASSERT_TRUE(MakeSymbolicLink(b.DataFolder(), a.DataFolder()));
        WriteFileBytes(a.GameFile(), originalA);
        WriteFileBytes(b.GameFile(), originalB);
        WriteFileBytes(player + L"\\meteor.bak", stranger);
        WriteFileBytes(player + L"\\meteor.sum", stranger);
        if (row.run != 'a') ASSERT_TRUE(ApplyPatch(a, std::nullopt, DefaultFieldTexts()).Succeeded());
        // An update of A: another original, whose apply keeps the old one aside.
        const Bytes updatedA = MakeSyntheticGame(GameVersion::V1_07, 3);
        if (row.run == 'u') WriteFileBytes(a.GameFile(), updatedA);

        std::thread other;
        OperationResult otherResult;
        At at;
        at.step = row.step;
        at.suffix = row.suffix;
        at.act = [&] {
            if (row.run == 'a') {
                other = std::thread([&] { otherResult = ApplyPatch(b, std::nullopt, DefaultFieldTexts()); });
            } else if (row.step == fileio::Step::Rename && row.run == 'r') {
                WriteFileBytes(temp / L"update.exe", originalB);
                EXPECT_TRUE(MoveFileExW((temp / L"update.exe").c_str(), a.GameFile().c_str(), MOVEFILE_REPLACE_EXISTING));
            } else if (row.run == 'u') {
                EXPECT_TRUE(CreateDirectoryW(a.BackupFile().c_str(), nullptr));
            } else {
                EXPECT_TRUE(UnixRename(a.BackupFolder(), a.DataFolder() + L"\\kept"));
                EXPECT_TRUE(MakeSymbolicLink(a.BackupFolder(), player));
            }
        };
        fileio::StepWatcher* before = fileio::WatchSteps(&at);
        const OperationResult result = row.run == 'r' ? RestoreGameFile(a) : ApplyPatch(a, std::nullopt, DefaultFieldTexts());
        fileio::WatchSteps(before);
        if (other.joinable()) other.join();
        EXPECT_EQ(result.outcome, row.outcome) << testing::PrintToString(OperationText(result));
        EXPECT_TRUE(SaysAll(OperationText(result), {row.says})) << testing::PrintToString(OperationText(result));
        EXPECT_FALSE(at.act) << "the step was reached";

        // Every original is still somewhere the tool or the player finds it.
        std::vector<Bytes> files;
        for (const std::wstring& folder : {a.base, a.DataFolder() + L"\\kept", a.BackupFolder(), player}) {
            WIN32_FIND_DATAW found;
            const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
            if (search == INVALID_HANDLE_VALUE) continue;
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(ReadFileBytes(folder + L"\\" + found.cFileName));
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        files.push_back(ReadFileBytes(b.GameFile()));
        auto somewhere = [&](const Bytes& bytes) { return std::find(files.begin(), files.end(), bytes) != files.end(); };
        EXPECT_TRUE(somewhere(originalA)) << "A's original";
        EXPECT_TRUE(somewhere(originalB)) << "B's original";
        if (row.run == 'u') {
            EXPECT_TRUE(somewhere(updatedA)) << "A's update";
            EXPECT_EQ(ReadFileBytes(a.GameFile()), updatedA) << "the game file as it was";
        }
        if (row.run == 'a') {
            EXPECT_TRUE(otherResult.Succeeded()) << testing::PrintToString(OperationText(otherResult));
        }
        EXPECT_EQ(ReadFileBytes(player + L"\\meteor.bak"), stranger) << "the player's files";
        EXPECT_EQ(ReadFileBytes(player + L"\\meteor.sum"), stranger);
        UnixDelete(a.BackupFolder());
        UnixDelete(b.DataFolder());
    }
}

}  // namespace
}  // namespace tarnwick::test
