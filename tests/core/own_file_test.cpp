// Which reparse points are links: a name surrogate leads elsewhere, any
// other reparse point is the file itself kept in a special way.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/own_file.h"

namespace tarnwick {
namespace {

TEST(OwnFile, OnlyNameSurrogateReparsePointsAreLinks) {
    const struct {
        const char* name;
        DWORD tag;
        bool link;
    } rows[] = {
        {"symbolic link", IO_REPARSE_TAG_SYMLINK, true},
        {"junction (mount point)", IO_REPARSE_TAG_MOUNT_POINT, true},
        {"WSL symbolic link", 0xA000001D, true},
        {"OneDrive cloud file", 0x9000001A, false},
        {"OneDrive cloud file, pinned", 0x9000601A, false},
        {"deduplicated file on a server", 0x80000013, false},
        {"compact /EXE (WOF)", 0x80000017, false},
        {"app execution alias", 0x8000001B, false},
        {"no reparse point", 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(fileio::ReparseTagIsLink(row.tag), row.link);
    }
    // A name that is no reparse point is no link, whatever its tag reads.
    EXPECT_FALSE(fileio::NameIsLink(L"C:\\no such folder\\meteor.exe", FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(fileio::NameIsLink(L"C:\\no such folder\\meteor.exe", INVALID_FILE_ATTRIBUTES));
    // One whose tag cannot be read is taken for a link.
    EXPECT_TRUE(fileio::NameIsLink(L"C:\\no such folder\\meteor.exe", FILE_ATTRIBUTE_REPARSE_POINT));
}

}  // namespace
}  // namespace tarnwick
