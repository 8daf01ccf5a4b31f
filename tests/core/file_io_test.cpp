#include <windows.h>

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick {
namespace {

// The facts read without the volume are the ones the full identity gives.
TEST(FileFacts, AgreeWithTheIdentity) {
    test::TempFolder temp;
    const std::wstring path = temp / L"meteor.exe", link = temp / L"second.exe";
    test::WriteFileBytes(path, test::Bytes(12345, 7));
    ASSERT_TRUE(CreateHardLinkW(link.c_str(), path.c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));

    fileio::File file;
    ASSERT_EQ(file.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE), 0u);
    fileio::FileFacts facts;
    fileio::FileIdentity identity;
    ASSERT_EQ(file.Facts(facts), 0u);
    ASSERT_EQ(file.Identity(identity), 0u);
    EXPECT_EQ(facts.index, identity.index);
    EXPECT_EQ(facts.links, 2u);
    EXPECT_EQ(facts.attributes, identity.attributes);
    EXPECT_TRUE(facts.attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(facts.size, 12345u);
    EXPECT_EQ(CompareFileTime(&facts.written, &identity.written), 0);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace tarnwick
