#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "core/disk/file_io.h"
#include "core/game/patch_table.h"
#include "core/operations/apply.h"
#include "core/operations/restore.h"
#include "core/operations/restore_steps.h"
#include "tests/core/expected_bytes.h"
#include "tests/core/game_folder_fixture.h"
#include "tests/support/unix_files.h"
#include "words/operation_text.h"

namespace tarnwick {
namespace {

using test::Bytes;

class Restore : public test::GameFolderTest {
public:
    Bytes pristine;
    void Put(const std::wstring& path, const Bytes& bytes) { test::WriteFileBytes(path, bytes); }
    static Bytes Flipped(Bytes bytes, std::size_t at) {
        bytes[at] ^= 1;
        return bytes;
    }
    using test::GameFolderTest::folder;
    using test::GameFolderTest::Game;

protected:
    // A patched game file with its backup; returns the unpatched bytes.
    Bytes Patch(GameVersion version = GameVersion::V1_07) {
        const Bytes pristine = MakeGame(version, 3);
        EXPECT_TRUE(ApplyPatch(folder, version, DefaultFieldTexts()).Succeeded());
        return pristine;
    }
};

TEST_F(Restore, PutsTheBackupBackAndDeletesIt) {
    // The last row's folder lies deeper than a plain path reaches (MAX_PATH).
    std::wstring deep = folder.base;
    for (wchar_t letter : {L'x', L'y', L'z'}) {
        deep += L"\\" + std::wstring(100, letter);
        ASSERT_TRUE(CreateDirectoryW(fileio::LongPathForm(deep).c_str(), nullptr));
    }
    const struct {
        GameVersion version;
        std::wstring base;
    } rows[] = {{GameVersion::V1_07, folder.base},
                {GameVersion::V1_08, folder.base},
                {GameVersion::V9_07, folder.base},
                {GameVersion::V1_07, deep}};
    for (const auto& [version, base] : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(version) << " in a folder of " << base.size());
        folder.base = base;
        const Bytes pristine = Patch(version);
        EXPECT_TRUE(Game() == test::PatchedGame(pristine, version, DefaultFieldTexts())) << "the game file";
        EXPECT_TRUE(Backup() == pristine) << "the backup";
        const OperationResult result = RestoreGameFile(folder);
        EXPECT_TRUE(result.Succeeded());
        EXPECT_EQ(OperationText(result), L"恭喜您还原成功");
        EXPECT_EQ(Game(), pristine);
        EXPECT_FALSE(BackupExists(folder));
        EXPECT_EQ(LeftoverTemporaryFiles(), 0);
        // The settings cache keeps the last applied values.
        EXPECT_TRUE(fileio::FileExists(folder.SettingsCacheFile()));
    }
}

TEST_F(Restore, WithoutABackupSaysSoAndChangesNothing) {
    const Bytes pristine = Patch();
    ASSERT_TRUE(RestoreGameFile(folder).Succeeded());
    const OperationResult again = RestoreGameFile(folder);
    EXPECT_EQ(again.outcome, Outcome::BackupMissing);
    EXPECT_EQ(OperationText(again), L"还原文件丢失 还原失败");
    EXPECT_EQ(Game(), pristine);
}

TEST_F(Restore, GameFileThatCannotBeReplacedKeepsTheBackup) {
    const struct {
        const char* name;
        bool hold;
        Outcome outcome;
        const wchar_t* advice;
    } cases[] = {
        {"held open by the running game", true, Outcome::GameFileInUse, L"请先关闭游戏"},
        {"read-only", false, Outcome::ReadOnly, L"取消“只读”"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes pristine = Patch();
        const Bytes patched = Game();
        std::optional<test::HeldOpen> game;
        if (c.hold) {
            game.emplace(folder.GameFile());
        } else {
            test::MakeReadOnly(folder.GameFile());
        }
        const OperationResult result = RestoreGameFile(folder);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(OperationText(result).find(L"还原失败："), 0u) << OperationText(result);
        EXPECT_NE(OperationText(result).find(c.advice), std::wstring::npos) << OperationText(result);
        EXPECT_NE(OperationText(result).find(L"备份文件仍然保留"), std::wstring::npos) << OperationText(result);
        EXPECT_EQ(Game(), patched);
        EXPECT_EQ(Backup(), pristine);
        EXPECT_EQ(LeftoverTemporaryFiles(), 0);
        game.reset();
        SetFileAttributesW(folder.GameFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(RestoreGameFile(folder).Succeeded()) << "works once the game file is free";
        EXPECT_EQ(Game(), pristine);
    }
}

TEST_F(Restore, BringsBackAGameFileThatWasDeleted) {
    const Bytes pristine = Patch();
    DeleteFileW(folder.GameFile().c_str());
    EXPECT_TRUE(RestoreGameFile(folder).Succeeded());
    EXPECT_EQ(Game(), pristine);
}

// A read-only backup goes afterwards; one that a reader (a scanner) holds
// on, so that it could not go, is not put back: both files stay.
TEST_F(Restore, TheBackupGoesAfterwardsOrTheMessageSaysItStayed) {
    const struct {
        const char* name;
        bool hold;  // else read-only
        bool kept;
        std::wstring message;
    } cases[] = {
        {"read-only", false, false, L"恭喜您还原成功"},
        {"held open by a reader that lets others only read", true, true,
         L"还原失败：文件 Data\\bak\\meteor.bak 正被其他程序打开检查（多半是杀毒软件在扫描刚写入的文件），"
         L"本工具等了两秒仍然无法替换或删除它。\n"
         L"请稍等片刻再试；如果每次都这样，请在杀毒软件中把游戏目录加入信任区（白名单）。\n"
         L"游戏文件没有改动，备份文件仍然保留，可以稍后再点击“还原”。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes pristine = Patch();
        std::optional<test::HeldOpen> reader;
        if (c.hold) {
            ASSERT_TRUE(reader.emplace(folder.BackupFile()).IsOpen());
        } else {
            test::MakeReadOnly(folder.BackupFile());
        }
        const OperationResult result = RestoreGameFile(folder);
        reader.reset();
        EXPECT_EQ(result.Succeeded(), !c.hold);
        EXPECT_EQ(OperationText(result), c.message);
        if (!c.hold) {
            EXPECT_EQ(Game(), pristine);
        }
        EXPECT_EQ(BackupExists(folder), c.kept);
        DeleteFileW(folder.BackupFile().c_str());
    }
}


// Each row starts from a patched game file with its pristine backup and
// record, spoils one thing, and presses "还原": refused with the whole
// message, the game file and the backup exactly as they were.
TEST_F(Restore, BackupsThatAreNoOriginalOfTheGameAreRefusedKeepingBothFiles) {
    const std::wstring kept = L"\n游戏文件没有改动，备份文件仍然保留。";
    const std::wstring damaged =
        L"还原失败：备份文件 Data\\bak\\meteor.bak 已损坏：它不完整、在本工具写入后被改动过，或者不是本工具认识的游戏文件，"
        L"不能用它还原。\n如需原版游戏文件，请重新安装游戏。" + kept;
    const auto cut = [](std::size_t size) {
        return [size](Restore& t) { t.Put(t.folder.BackupFile(), test::Bytes(t.pristine.begin(), t.pristine.begin() + size)); };
    };
    const auto unrecorded = [](std::function<void(Restore&)> spoil) {
        return [spoil](Restore& t) {
            DeleteFileW(t.folder.BackupRecordFile().c_str());
            spoil(t);
        };
    };
    const std::size_t areasEnd = PatchAreasEnd(*PatchTableFor(GameVersion::V1_07));
    const struct {
        const char* name;
        std::function<void(Restore&)> spoil;
        Outcome outcome;
        std::wstring message;
    } cases[] = {
        {"cut to where the patch areas end", cut(areasEnd), Outcome::BackupDamaged, damaged},
        {"cut by one byte", cut(test::kSyntheticGameSize - 1), Outcome::BackupDamaged, damaged},
        {"one byte changed outside the patch areas",
         [](Restore& t) { t.Put(t.folder.BackupFile(), Flipped(t.pristine, 100)); }, Outcome::BackupDamaged, damaged},
        {"no record, cut to where the patch areas end", unrecorded(cut(areasEnd)), Outcome::BackupDamaged, damaged},
        {"no record, cut by one byte", unrecorded(cut(test::kSyntheticGameSize - 1)), Outcome::BackupDamaged, damaged},
        {"no record, one byte changed outside the patch areas",
         unrecorded([](Restore& t) { t.Put(t.folder.BackupFile(), Flipped(t.pristine, 100)); }), Outcome::BackupDamaged,
         damaged},
        {"a patched copy as backup beside the pristine game file",
         unrecorded([](Restore& t) {
             t.Put(t.folder.BackupFile(), t.Game());
             t.Put(t.folder.GameFile(), t.pristine);
         }),
         Outcome::BackupNotOriginal,
         L"还原失败：备份文件 Data\\bak\\meteor.bak 不是原版游戏文件：它本身已经被修改过，用它还原也得不到原版。\n"
         L"如需原版游戏文件，请重新安装游戏。" + kept},
        {"a patched copy as backup beside the patched game file",
         unrecorded([](Restore& t) { t.Put(t.folder.BackupFile(), t.Game()); }), Outcome::BackupNotOriginal,
         L"还原失败：备份文件 Data\\bak\\meteor.bak 不是原版游戏文件：它本身已经被修改过，用它还原也得不到原版。\n"
         L"如需原版游戏文件，请重新安装游戏。" + kept},
        {"the backup a hard link to the game file",
         [](Restore& t) {
             DeleteFileW(t.folder.BackupFile().c_str());
             ASSERT_TRUE(CreateHardLinkW(t.folder.BackupFile().c_str(), t.folder.GameFile().c_str(), nullptr));
         },
         Outcome::BackupIsGameFile,
         L"还原失败：备份文件 Data\\bak\\meteor.bak 和游戏文件 meteor.exe 是同一个文件（硬链接），它不是真正的备份，"
         L"不能用它还原。\n如需原版游戏文件，请重新安装游戏。" + kept},
        {"the game file a hard link into another folder",
         [](Restore& t) {
             ASSERT_TRUE(CreateHardLinkW((t.folder.base + L"\\other.exe").c_str(), t.folder.GameFile().c_str(), nullptr));
         },
         Outcome::GameFileHardLinked,
         L"还原失败：游戏文件 meteor.exe 和其他位置的文件是同一个文件（硬链接）：修改或替换它会同时改动别处的游戏，"
         L"本工具不处理这样的文件。\n请把 meteor.exe 复制一份，删除原来的 meteor.exe，再把复制出的文件改名为 meteor.exe，"
         L"然后再试。" + kept},
        {"the game updated to 1.08 since the patch",
         [](Restore& t) { t.Put(t.folder.GameFile(), test::MakeSyntheticGame(GameVersion::V1_08, 3)); },
         Outcome::BackupOtherVersion,
         L"还原失败：备份文件 Data\\bak\\meteor.bak 是游戏 1.07 版的文件，而现在的游戏文件 meteor.exe 是 1.08 版，"
         L"用它还原会把游戏换回另一个版本。\n如果确实要换回 1.07 版，请先把 meteor.exe 移到别处，再点击“还原”；"
         L"否则这个备份已经用不上了，可以删除它。" + kept},
        // 1.07 and 9.07 share one patch table, but not their files.
        {"a recorded 9.07 backup beside a 1.07 game",
         [](Restore& t) {
             const Bytes backup = test::MakeSyntheticGame(GameVersion::V9_07, 3);
             const std::string record = test::ExpectedBackupRecord(backup);
             t.Put(t.folder.BackupFile(), backup);
             t.Put(t.folder.BackupRecordFile(), Bytes(record.begin(), record.end()));
         },
         Outcome::BackupOtherVersion,
         L"还原失败：备份文件 Data\\bak\\meteor.bak 是游戏 9.07 版的文件，而现在的游戏文件 meteor.exe 是 1.07 版，"
         L"用它还原会把游戏换回另一个版本。\n如果确实要换回 9.07 版，请先把 meteor.exe 移到别处，再点击“还原”；"
         L"否则这个备份已经用不上了，可以删除它。" + kept},
        // Intact by its record, but the original of another install of the
        // same version sharing Data: the record proves no ownership.
        {"a recorded original of another game file",
         [](Restore& t) {
             const Bytes other = test::MakeSyntheticGame(GameVersion::V1_07, 9);
             const std::string record = test::ExpectedBackupRecord(other);
             t.Put(t.folder.BackupFile(), other);
             t.Put(t.folder.BackupRecordFile(), Bytes(record.begin(), record.end()));
         },
         Outcome::BackupOtherGame,
         L"还原失败：备份文件 Data\\bak\\meteor.bak 是另一个游戏文件的原版（共用 Data 文件夹的另一个游戏目录，"
         L"或者游戏重装、升级以前的文件），和 meteor.exe 不是同一个游戏，用它还原会换掉别的游戏文件。\n"
         L"如需原版游戏文件，请重新安装游戏，或见说明中的“文件在哪里”。" + kept},
        // The game file unpatched is itself the original: a recorded copy
        // with other values in its slots (code bytes untouched) is no backup.
        {"values only, beside the unpatched game",
         [](Restore& t) {
             const PatchTable& table = *PatchTableFor(GameVersion::V1_07);
             Bytes edited = t.Game();
             std::copy_n(t.pristine.begin() + table.codeOffset, 2, edited.begin() + table.codeOffset);
             const std::string record = test::ExpectedBackupRecord(edited);
             t.Put(t.folder.BackupFile(), edited);
             t.Put(t.folder.BackupRecordFile(), Bytes(record.begin(), record.end()));
             t.Put(t.folder.GameFile(), t.pristine);
         },
         Outcome::BackupNotOriginal,
         L"还原失败：备份文件 Data\\bak\\meteor.bak 不是原版游戏文件：它本身已经被修改过，用它还原也得不到原版。\n"
         L"如需原版游戏文件，请重新安装游戏。" + kept},
        // Nothing to check an unrecorded backup against.
        {"unrecorded and cut short, beside a game of no known version",
         unrecorded([](Restore& t) {
             Bytes game = t.Game();
             std::fill_n(game.begin() + kProbeOffset, 64, 'x');
             t.Put(t.folder.GameFile(), game);
             t.Put(t.folder.BackupFile(), Bytes(t.pristine.begin(), t.pristine.end() - 1000));
         }),
         Outcome::BackupUnverifiable,
         L"还原失败：备份文件 Data\\bak\\meteor.bak 没有记录，而游戏文件 meteor.exe 不在或认不出版本，"
         L"无法确认这个备份完整、是这个游戏文件的原版，不能用它还原。\n如需原版游戏文件，请重新安装游戏。" + kept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemoveTree(folder.base);
        CreateDirectoryW(folder.base.c_str(), nullptr);
        pristine = Patch();
        ASSERT_NO_FATAL_FAILURE(c.spoil(*this));
        const Bytes game = Game(), backup = Backup();
        const OperationResult result = RestoreGameFile(folder);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(OperationText(result), c.message);
        EXPECT_TRUE(Game() == game) << "the game file";
        EXPECT_TRUE(Backup() == backup) << "the backup";
        EXPECT_EQ(LeftoverTemporaryFiles(), 0);
    }
}

// A backup made before records existed, as it was written: still put back.
TEST_F(Restore, AnUnrecordedBackupThatIsTheGamesOriginalIsPutBack) {
    pristine = Patch();
    ASSERT_TRUE(DeleteFileW(folder.BackupRecordFile().c_str()));
    EXPECT_EQ(OperationText(RestoreGameFile(folder)), L"恭喜您还原成功");
    EXPECT_EQ(Game(), pristine);
    EXPECT_FALSE(BackupExists(folder));
}

// Another program (a sync tool, another mod manager) replaces the backup
// with an empty file again and again while "还原" runs: what is checked is
// what is copied, and the message always tells the state of the files.
TEST_F(Restore, ABackupReplacedWhileTheRestoreRunsIsNeverHalfUsed) {
    pristine = Patch();
    const Bytes patched = Game();
    const std::wstring empty = folder.base + L"\\empty.bin";
    std::atomic<bool> stop = false;
    std::atomic<int> replaced = 0;
    std::thread other([&] {
        while (!stop) {
            test::WriteFileBytes(empty + L"~", {});
            if (MoveFileExW((empty + L"~").c_str(), folder.BackupFile().c_str(), MOVEFILE_REPLACE_EXISTING)) ++replaced;
            Sleep(replaced * 7 % 40);
        }
    });
    int restored = 0;
    for (int run = 0; run < 40 && !HasFailure(); ++run) {
        SCOPED_TRACE(run);
        // The other program may be in the way of the apply too.
        for (int tries = 0; tries < 20 && Game() != patched; ++tries) {
            ApplyPatch(folder, GameVersion::V1_07, DefaultFieldTexts());
        }
        const OperationResult result = RestoreGameFile(folder);
        const Bytes game = Game();
        if (result.Succeeded()) {
            ++restored;
            EXPECT_EQ(OperationText(result), L"恭喜您还原成功");
            EXPECT_TRUE(game == pristine) << "only the checked backup is put back";
        } else {
            EXPECT_TRUE(game == patched) << testing::PrintToString(OperationText(result));
            EXPECT_NE(OperationText(result).find(L"游戏文件没有改动"), std::wstring::npos) << testing::PrintToString(OperationText(result));
            // The pristine file is gone from the backup: the test puts it back.
            test::WriteFileBytes(folder.GameFile(), pristine);
        }
    }
    stop = true;
    other.join();
    std::printf("    %d restores, %d backups replaced meanwhile\n", restored, replaced.load());
}

// Another program renames a file over meteor.exe, or swaps the record for
// a link, right after the restore put the game file in place: the backup
// goes only while meteor.exe is the file written, and nothing is deleted
// through a link.
TEST_F(Restore, WhatAnotherProgramDoesAfterTheGameFileIsWrittenLosesNoOriginal) {
    struct Hook : RestoreSteps {
        std::function<void(const GameFolder&)> act;
        void GameWritten(const GameFolder& f) override { act(f); }
    };
    const Bytes stranger = {'s', 't', 'r', 'a', 'n', 'g', 'e', 'r'};
    const std::wstring elsewhere = folder.base + L"\\elsewhere.txt";
    const struct {
        const char* name;
        std::function<void(const GameFolder&)> act;
        std::wstring message;
        bool replaced;  // else restored
    } rows[] = {
        {"meteor.exe replaced",
         [&](const GameFolder& f) {
             test::WriteFileBytes(f.base + L"\\new.bin", stranger);
             ASSERT_TRUE(test::UnixRename(f.base + L"\\new.bin", f.GameFile()));
         },
         L"还原失败：游戏文件 meteor.exe 在写入时被其他程序删除或换掉了，现在的 meteor.exe 不是本工具写入的文件。\n"
         L"请关闭正在更新或改动游戏的程序，确认游戏文件完好（必要时重新安装游戏），然后再试。\n"
         L"备份文件仍然保留，可以稍后再点击“还原”。",
         true},
        // The same file, other bytes: the restore cannot vouch for it.
        {"meteor.exe rewritten in place",
         [&](const GameFolder& f) {
             test::WriteFileBytes(f.GameFile(), stranger);
         },
         L"",
         true},
        {"the record swapped for a link to another file",
         [&](const GameFolder& f) {
             ASSERT_TRUE(test::UnixDelete(f.BackupRecordFile()));
             ASSERT_TRUE(test::MakeSymbolicLink(f.BackupRecordFile(), elsewhere));
         },
         L"恭喜您还原成功", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::RemoveTree(folder.DataFolder());
        test::WriteFileBytes(elsewhere, stranger);
        pristine = Patch();
        const std::string record = test::ReadFileText(folder.BackupRecordFile());
        Hook hook;
        hook.act = row.act;
        const OperationResult result = RestoreGameFileThrough(folder, hook);
        if (!row.message.empty()) {
            EXPECT_EQ(OperationText(result), row.message);
        } else {
            EXPECT_EQ(result.aftermath, Aftermath::RestoreIncomplete) << testing::PrintToString(OperationText(result));
        }
        EXPECT_EQ(Game(), row.replaced ? stranger : pristine);
        EXPECT_EQ(BackupExists(folder), row.replaced);
        if (row.replaced) {
            EXPECT_EQ(Backup(), pristine);
            EXPECT_EQ(test::ReadFileText(folder.BackupRecordFile()), record);
        }
        EXPECT_EQ(test::ReadFileBytes(elsewhere), stranger) << "nothing deleted through the link";
        test::UnixDelete(folder.BackupRecordFile());
    }
}

// Another Linux program changes the backup between its check and its copy,
// which share modes do not stop: the bytes checked are the bytes put back,
// and only the file checked is deleted afterwards.
TEST_F(Restore, WhatAnotherProgramDoesToTheBackupAfterItsCheckChangesNothing) {
    struct Hook : RestoreSteps {
        std::function<void(const GameFolder&)> act;
        void BackupChecked(const GameFolder& f) override { act(f); }
    };
    const Bytes stranger = {'s', 't', 'r', 'a', 'n', 'g', 'e', 'r'};
    const struct {
        const char* name;
        std::function<void(const GameFolder&)> act;
        bool strangerStays;  // else no backup is left
    } rows[] = {
        {"replaced by another file",
         [&](const GameFolder& f) {
             test::WriteFileBytes(f.base + L"\\new.bin", stranger);
             ASSERT_TRUE(test::UnixRename(f.base + L"\\new.bin", f.BackupFile()));
         },
         true},
        {"deleted", [](const GameFolder& f) { ASSERT_TRUE(test::UnixDelete(f.BackupFile())); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::RemoveTree(folder.DataFolder());
        pristine = Patch();
        Hook hook;
        hook.act = row.act;
        EXPECT_EQ(OperationText(RestoreGameFileThrough(folder, hook)), L"恭喜您还原成功");
        EXPECT_EQ(Game(), pristine);
        EXPECT_EQ(BackupExists(folder), row.strangerStays);
        if (row.strangerStays) {
            EXPECT_EQ(Backup(), stranger);
        }
    }
}

}  // namespace
}  // namespace tarnwick
