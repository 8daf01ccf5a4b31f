// The lock that keeps two copies of the tool apart.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <thread>

#include "core/disk/file_io.h"
#include "core/operations/folder_lock.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_driver.h"

namespace tarnwick {
namespace {

TEST(FolderLock, EverySpellingOfAFolderGivesOneName) {
    test::TempFolder temp;
    wchar_t shortName[MAX_PATH] = {};
    GetShortPathNameW(temp.Path().c_str(), shortName, MAX_PATH);
    std::wstring lower = temp.Path();
    for (wchar_t& c : lower) c = towlower(c);
    const std::wstring name = FolderLockName(temp.Path());
    EXPECT_EQ(name.find(L'\\'), std::wstring::npos) << "object names may not hold a backslash";
    for (const std::wstring& spelling : {temp.Path() + L"\\", lower, std::wstring(shortName), temp / L"x\\..",
                                         test::OtherSpelling(temp.Path())}) {
        if (spelling.empty()) continue;  // no second spelling outside Wine
        EXPECT_EQ(FolderLockName(spelling), name) << testing::PrintToString(spelling);
    }
}

// A copy on another machine meets only the lock file, a copy on this
// machine the mutex first; a folder in the file's place refuses rather
// than letting the operation run unguarded.
TEST(FolderLock, EachLockKeepsOutWhoeverHoldsItAndTheFileGoesWithItsHandle) {
    test::TempFolder temp;
    const GameFolder folder{temp.Path()};
    {
        FolderLock lock(folder, 0);
        EXPECT_TRUE(lock.Held());
        EXPECT_TRUE(fileio::FileExists(folder.LockFile()));
        // Another machine's copy shares no mutex with this one: its open of
        // the file, however much it shares, must fail while the lock is held.
        HANDLE second = CreateFileW(folder.LockFile().c_str(), GENERIC_READ | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        EXPECT_EQ(second, INVALID_HANDLE_VALUE) << "a second copy opened the held lock file";
        if (second != INVALID_HANDLE_VALUE) CloseHandle(second);
    }
    EXPECT_FALSE(fileio::FileExists(folder.LockFile())) << "the file goes with its handle";

    {
        // The mutex alone, held by another thread as another copy on this
        // machine holds it before it takes the file.
        HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread otherCopy([&] {
            HANDLE mutex = CreateMutexW(nullptr, TRUE, (L"Global\\" + FolderLockName(folder.base)).c_str());
            SetEvent(taken);
            WaitForSingleObject(done, INFINITE);
            ReleaseMutex(mutex);
            CloseHandle(mutex);
        });
        WaitForSingleObject(taken, INFINITE);
        const FolderLock lock(folder, 100);
        SetEvent(done);
        otherCopy.join();
        CloseHandle(taken);
        CloseHandle(done);
        EXPECT_TRUE(lock.Busy());
        EXPECT_FALSE(fileio::FileExists(folder.LockFile())) << "a busy folder's lock file is not taken";
    }

    HANDLE other = CreateFileW(folder.LockFile().c_str(), GENERIC_READ, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(FolderLock(folder, 100).Busy());
    CloseHandle(other);
    EXPECT_TRUE(FolderLock(folder, 100).Held()) << "a file left by a copy that ended blocks no one";

    // A read-only lock file (copied from a CD, or so in a café's image)
    // still keeps out a copy on another machine.
    test::WriteFileBytes(folder.LockFile(), {});
    SetFileAttributesW(folder.LockFile().c_str(), FILE_ATTRIBUTE_READONLY);
    {
        const FolderLock lock(folder, 100);
        EXPECT_TRUE(lock.Held());
        other = CreateFileW(folder.LockFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(other, INVALID_HANDLE_VALUE) << "a read-only lock file was shared";
        if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    }
    SetFileAttributesW(folder.LockFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(folder.LockFile().c_str());
    ASSERT_TRUE(CreateDirectoryW(folder.LockFile().c_str(), nullptr));
    const FolderLock blocked(folder, 100);
    EXPECT_FALSE(blocked.Held());
    EXPECT_FALSE(blocked.Busy());
    EXPECT_EQ(blocked.Failure(), static_cast<DWORD>(ERROR_DIRECTORY));
}

}  // namespace
}  // namespace tarnwick
