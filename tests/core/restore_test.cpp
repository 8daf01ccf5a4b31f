#include <windows.h>

#include <gtest/gtest.h>

#include "core/apply.h"
#include "core/restore.h"
#include "tests/core/game_folder_fixture.h"

namespace tarnwick {
namespace {

using test::Bytes;

class Restore : public test::GameFolderTest {
protected:
    // A patched game file with its backup; returns the unpatched bytes.
    Bytes Patch(GameVersion version = GameVersion::V1_07) {
        const Bytes pristine = MakeGame(version, 3);
        EXPECT_TRUE(ApplyPatch(folder, version, DefaultFieldTexts()).Succeeded());
        return pristine;
    }
};

TEST_F(Restore, PutsTheBackupBackAndDeletesIt) {
    for (GameVersion version : {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07}) {
        SCOPED_TRACE(static_cast<int>(version));
        const Bytes pristine = Patch(version);
        ASSERT_NE(Game(), pristine);
        const OperationResult result = RestoreGameFile(folder);
        EXPECT_TRUE(result.Succeeded());
        EXPECT_EQ(result.message, L"恭喜您还原成功");
        EXPECT_EQ(result.restoreButton, RestoreButtonState::Disable);
        EXPECT_EQ(Game(), pristine);
        EXPECT_FALSE(BackupExists(folder));
        EXPECT_EQ(LeftoverTemporaryFiles(), 0);
        // The settings cache keeps the last applied values.
        EXPECT_TRUE(FileExists(folder.SettingsCacheFile()));
    }
}

TEST_F(Restore, WithoutABackupSaysSoAndChangesNothing) {
    const Bytes pristine = Patch();
    ASSERT_TRUE(RestoreGameFile(folder).Succeeded());
    const OperationResult again = RestoreGameFile(folder);
    EXPECT_EQ(again.outcome, Outcome::BackupMissing);
    EXPECT_EQ(again.message, L"还原文件丢失 还原失败");
    EXPECT_EQ(again.restoreButton, RestoreButtonState::Disable);
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
        EXPECT_EQ(result.restoreButton, RestoreButtonState::Enable);
        EXPECT_EQ(result.message.find(L"还原失败："), 0u) << result.message;
        EXPECT_NE(result.message.find(c.advice), std::wstring::npos) << result.message;
        EXPECT_NE(result.message.find(L"备份文件仍然保留"), std::wstring::npos) << result.message;
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

TEST_F(Restore, ReadOnlyBackupIsStillRemovedAfterwards) {
    const Bytes pristine = Patch();
    test::MakeReadOnly(folder.BackupFile());
    const OperationResult result = RestoreGameFile(folder);
    EXPECT_EQ(result.message, L"恭喜您还原成功");
    EXPECT_EQ(Game(), pristine);
    EXPECT_FALSE(BackupExists(folder));
}

}  // namespace
}  // namespace tarnwick
