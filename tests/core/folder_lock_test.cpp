// The lock that keeps two copies of the tool from working on one game
// folder at once, and the read-only disk check of the failure messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "core/folder_lock.h"
#include "core/read_only_disk.h"
#include "tests/support/temp_folder.h"

namespace tarnwick {
namespace {

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

TEST(FolderLock, EverySpellingOfAFolderGivesOneName) {
    test::TempFolder temp;
    CreateDirectoryW((temp / L"Data").c_str(), nullptr);
    wchar_t shortName[MAX_PATH] = {};
    GetShortPathNameW(temp.Path().c_str(), shortName, MAX_PATH);
    const std::wstring name = FolderLockName(temp.Path());
    EXPECT_EQ(name.find(L'\\'), std::wstring::npos) << "object names may not hold a backslash";
    for (const std::wstring& spelling : {temp.Path() + L"\\", Lower(temp.Path()), temp / L"Data\\..",
                                         std::wstring(shortName), temp.Path() + L"\\."}) {
        SCOPED_TRACE(testing::PrintToString(spelling));
        EXPECT_EQ(FolderLockName(spelling), name);
    }
    // The tool's own spelling: "." in the game folder.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(temp.Path().c_str());
    EXPECT_EQ(FolderLockName(L"."), name);
    SetCurrentDirectoryW(current);
    EXPECT_NE(FolderLockName(temp / L"Data"), name);
}

TEST(FolderLock, ASecondHolderWaitsThenIsToldTheFolderIsBusy) {
    test::TempFolder temp;
    const GameFolder folder{temp.Path()};
    auto lockOnAnotherThread = [&](DWORD waitMs) {
        bool busy = false;
        std::thread([&] { busy = FolderLock(folder, waitMs).Busy(); }).join();
        return busy;
    };
    {
        FolderLock held(folder);
        ASSERT_FALSE(held.Busy());
        EXPECT_TRUE(lockOnAnotherThread(50));
        EXPECT_FALSE(FolderLock(GameFolder{temp / L"Data"}, 0).Busy()) << "another folder is not held";
    }
    EXPECT_FALSE(lockOnAnotherThread(0)) << "released";
}

TEST(ReadOnlyDisk, TheMountThatHoldsThePathDecides) {
    const std::string mounts =
        "/dev/vda / ext4 rw,relatime 0 0\n"
        "tmpfs /tmp/game tmpfs rw,size=8m 0 0\n"
        "tmpfs /tmp/game tmpfs ro,size=8m 0 0\n"  // mounted over the line above
        "/dev/sr0 /media/cd\\040rom iso9660 ro,nosuid 0 0\n"
        "server:/x /mnt/net nfs rw,vers=4,errors=ro 0 0\n";
    const struct {
        const char* path;
        bool readOnly;
    } cases[] = {
        {"/home/player/game", false},
        {"/tmp/game", true},
        {"/tmp/game/Data/Slowlysave.cfg", true},
        {"/tmp/gamex", false},
        {"/media/cd rom/meteor.exe", true},
        {"/media/cd", false},
        {"/mnt/net/meteor.exe", false},  // "errors=ro" is no "ro"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(MountTableSaysReadOnly(mounts, c.path), c.readOnly);
    }
    test::TempFolder temp;
    EXPECT_FALSE(OnReadOnlyDisk(temp / L"meteor.exe"));
    EXPECT_FALSE(OnReadOnlyDisk(temp / L"Data\\bak\\meteor.bak")) << "a path not there yet";
}

}  // namespace
}  // namespace tarnwick
