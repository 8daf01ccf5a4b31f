// Only name surrogates among reparse points lead elsewhere.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/disk/own_file.h"

namespace tarnwick {
namespace {

TEST(OwnFile, OnlyNameSurrogateReparsePointsAreLinks) {
    const std::pair<DWORD, bool> rows[] = {
        {IO_REPARSE_TAG_SYMLINK, true}, {IO_REPARSE_TAG_MOUNT_POINT, true}, {0xA000001D, true},  // WSL link
        {0x9000001A, false}, {0x9000601A, false},  // OneDrive cloud files
        {0x80000013, false}, {0x80000017, false}, {0, false},  // deduplicated, compact /EXE, none
    };
    for (const auto& [tag, link] : rows) EXPECT_EQ(fileio::ReparseTagIsLink(tag), link) << std::hex << tag;
    // A name whose tag cannot be read is taken for a link; no reparse point is none.
    EXPECT_TRUE(fileio::NameIsLink(L"C:\\no such folder\\meteor.exe", FILE_ATTRIBUTE_REPARSE_POINT));
    EXPECT_FALSE(fileio::NameIsLink(L"C:\\no such folder\\meteor.exe", FILE_ATTRIBUTE_NORMAL));
}

}  // namespace
}  // namespace tarnwick
