// The mount table that tells a read-only disk under Wine.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/disk/read_only_disk.h"
#include "tests/support/temp_folder.h"

namespace tarnwick {
namespace {

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
