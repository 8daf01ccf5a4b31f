// A disk that fills up while the real tool writes: the game folder lies on
// the small disk (a tmpfs that scripts/test mounts, seen by Wine under Z:),
// and a filler file outside the game folder leaves just the free space that
// makes one stage fail: the backup copy, the settings cache after the
// backup copy, the settings cache of a second apply, or the copy that
// "还原" makes of the backup. The settings cache only remembers the values
// for the next start: without room for it the patch still goes ahead.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/faults/tool_fixture.h"

namespace tarnwick::test {
namespace {

constexpr std::uint64_t kPage = 4096;

std::uint64_t WholePages(std::uint64_t bytes) { return (bytes + kPage - 1) / kPage * kPage; }

class FullDisk : public ToolFixture {
protected:
    void SetUp() override {
        disk_ = SmallDiskPath();
        if (disk_.empty()) {
            GTEST_SKIP() << "TARNWICK_SMALL_DISK is not set: scripts/test mounts a small tmpfs there when it may "
                            "mount file systems (as root or with sudo), and could not here";
        }
        std::optional<std::uint64_t> free = FreeBytes(disk_);
        ASSERT_TRUE(free) << "no free space figure for the small disk";
        // The game file, its backup and the copy "还原" makes must fit.
        ASSERT_GE(*free, 3 * WholePages(kSyntheticGameSize) + 16 * kPage)
            << "the small disk is too small: " << *free << " bytes free";
        filler_ = disk_ + L"\\filler.bin";
    }

    void TearDown() override {
        tool_.reset();
        DeleteFileW(filler_.c_str());
    }

    // Fills the small disk so that exactly `leave` bytes stay free.
    void FillLeaving(std::uint64_t leave) {
        DeleteFileW(filler_.c_str());
        std::optional<std::uint64_t> free = FreeBytes(disk_);
        ASSERT_TRUE(free);
        ASSERT_GE(*free, leave);
        HANDLE file = CreateFileW(filler_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const Bytes chunk(256 * 1024, 0xF1);
        for (std::uint64_t left = *free - leave; left > 0;) {
            const DWORD count = static_cast<DWORD>(std::min<std::uint64_t>(left, chunk.size()));
            DWORD written = 0;
            const BOOL ok = WriteFile(file, chunk.data(), count, &written, nullptr);
            if (!ok || written != count) {
                CloseHandle(file);
                FAIL() << "cannot fill the disk, error " << GetLastError();
            }
            left -= count;
        }
        CloseHandle(file);
        ASSERT_EQ(FreeBytes(disk_).value_or(0), leave) << "the disk is not filled to the level asked for";
    }

    void EmptyFiller() { ASSERT_TRUE(DeleteFileW(filler_.c_str())); }

    static std::uint64_t GamePages() { return WholePages(kSyntheticGameSize); }

    std::wstring disk_;
    std::wstring filler_;
};

TEST_F(FullDisk, WineSeesTheSmallDiskAndItFillsToTheByte) {
    MakeGameFolder(GameVersion::V1_07, disk_);
    std::optional<std::uint64_t> free = FreeBytes(Folder());
    ASSERT_TRUE(free);
    ULARGE_INTEGER available{}, size{};
    ASSERT_TRUE(GetDiskFreeSpaceExW((Folder() + L"\\").c_str(), &available, &size, nullptr));
    std::printf("    small disk %ls: %llu bytes, %llu free with a game file\n", disk_.c_str(),
                static_cast<unsigned long long>(size.QuadPart), static_cast<unsigned long long>(*free));
    EXPECT_LT(size.QuadPart, 64ull << 20) << "not the small disk";
    ASSERT_NO_FATAL_FAILURE(FillLeaving(kPage));
    EXPECT_EQ(FreeBytes(Folder()).value_or(0), kPage);
}

TEST_F(FullDisk, BackupCopyDoesNotFit) {
    MakeGameFolder(GameVersion::V1_07, disk_);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    ASSERT_NO_FATAL_FAILURE(FillLeaving(GamePages() - 16 * kPage));

    EXPECT_TRUE(SaysAll(ClickAndAnswer(Confirm()), {L"修改失败", L"磁盘空间不足", L"Data\\bak\\meteor.bak",
                                                    L"请清理磁盘空间", L"游戏文件没有改动"}));
    ExpectToolAlive();
    EXPECT_EQ(Game(), pristine_);
    EXPECT_FALSE(BackupThere());
    EXPECT_FALSE(CacheThere());
    EXPECT_EQ(LeftoverTemporaryFiles(Folder()), 0);
    EXPECT_EQ(FreeBytes(disk_).value_or(0), GamePages() - 16 * kPage) << "everything written aside is gone";
    EXPECT_FALSE(IsWindowEnabled(Restore()));

    ASSERT_NO_FATAL_FAILURE(EmptyFiller());
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    EXPECT_EQ(Game(), Patched());
    EXPECT_EQ(Backup(), pristine_);
}

TEST_F(FullDisk, SettingsCacheDoesNotFitAfterTheBackupCopy) {
    MakeGameFolder(GameVersion::V1_08, disk_);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    // Room for the backup copy to the last page, none for the cache.
    ASSERT_NO_FATAL_FAILURE(FillLeaving(GamePages()));

    EXPECT_TRUE(SaysAll(ClickAndAnswer(Confirm()), {L"恭喜您修改成功\n但这些数值没能记下来", L"磁盘空间不足",
                                                    L"Data\\Slowlysave.cfg", L"请清理磁盘空间"}));
    ExpectToolAlive();
    ExpectFiles(Patched(), pristine_, std::nullopt);

    ASSERT_NO_FATAL_FAILURE(EmptyFiller());
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    ExpectFiles(Patched(), pristine_, CacheOf());
}

TEST_F(FullDisk, SecondApplyOnAFullDiskKeepsThePristineBackupAndTheOldCache) {
    MakeGameFolder(GameVersion::V1_07, disk_);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");

    FieldTexts second = DefaultFieldTexts();
    second[1] = L"999";
    SetText(Field(1), second[1]);
    ASSERT_NO_FATAL_FAILURE(FillLeaving(0));
    EXPECT_TRUE(SaysAll(ClickAndAnswer(Confirm()), {L"恭喜您修改成功\n但这些数值没能记下来", L"磁盘空间不足",
                                                    L"Data\\Slowlysave.cfg", L"请清理磁盘空间"}));
    ExpectToolAlive();
    ExpectFiles(Patched(second), pristine_, CacheOf());
    EXPECT_TRUE(IsWindowEnabled(Restore()));

    ASSERT_NO_FATAL_FAILURE(EmptyFiller());
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    ExpectFiles(Patched(second), pristine_, CacheOf(second));
}

TEST_F(FullDisk, RestoreCopyDoesNotFit) {
    MakeGameFolder(GameVersion::V9_07, disk_);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    ASSERT_NO_FATAL_FAILURE(FillLeaving(GamePages() / 2));

    EXPECT_TRUE(SaysAll(ClickAndAnswer(Restore()), {L"还原失败", L"磁盘空间不足", L"meteor.exe",
                                                    L"请清理磁盘空间", L"备份文件仍然保留"}));
    ExpectToolAlive();
    EXPECT_EQ(Game(), Patched());
    EXPECT_EQ(Backup(), pristine_);
    EXPECT_EQ(LeftoverTemporaryFiles(Folder()), 0);
    EXPECT_EQ(FreeBytes(disk_).value_or(0), GamePages() / 2);
    EXPECT_TRUE(IsWindowEnabled(Restore()));

    ASSERT_NO_FATAL_FAILURE(EmptyFiller());
    EXPECT_EQ(ClickAndAnswer(Restore()), L"恭喜您还原成功");
    EXPECT_EQ(Game(), pristine_);
    EXPECT_FALSE(BackupThere());
}

}  // namespace
}  // namespace tarnwick::test
