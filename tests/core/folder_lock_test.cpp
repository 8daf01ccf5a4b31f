// The name of the lock that keeps two copies of the tool apart, and the
// mount table that tells a read-only disk under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>

#include "core/folder_lock.h"
#include "core/read_only_disk.h"
#include "tests/support/temp_folder.h"

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
    for (const std::wstring& spelling : {temp.Path() + L"\\", lower, std::wstring(shortName), temp / L"x\\.."}) {
        EXPECT_EQ(FolderLockName(spelling), name) << testing::PrintToString(spelling);
    }
}

TEST(ReadOnlyDisk, TheMountThatHoldsThePathDecides) {
    const std::string mounts =
        "/dev/vda / ext4 rw,relatime 0 0\n"
        "tmpfs /tmp/game tmpfs rw 0 0\n"
        "tmpfs /tmp/game tmpfs ro 0 0\n"  // mounted over the line above
        "/dev/sr0 /media/cd\\040rom iso9660 ro,nosuid 0 0\n"
        "server:/x /mnt/net nfs rw,errors=ro 0 0\n";
    for (const auto& [path, readOnly] : {std::pair{"/home/game", false}, {"/tmp/game/Data/Hint.cfg", true},
                                         {"/tmp/gamex", false}, {"/media/cd rom/meteor.exe", true},
                                         {"/media/cd", false}, {"/mnt/net/meteor.exe", false}}) {
        EXPECT_EQ(MountTableSaysReadOnly(mounts, path), readOnly) << path;
    }
    test::TempFolder temp;
    EXPECT_FALSE(OnReadOnlyDisk(temp / L"Data\\bak\\meteor.bak"));
}

}  // namespace
}  // namespace tarnwick
