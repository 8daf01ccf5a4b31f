#include <windows.h>

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick {
namespace {

// The facts read without the volume are the ones the full identity
// gives, and a comparison that skips the volume for different numbers
// still knows a second name of one file.
TEST(FileFacts, AgreeWithTheIdentityAndKnowEveryNameOfAFile) {
    test::TempFolder temp;
    const std::wstring path = temp / L"meteor.exe", link = temp / L"second.exe", other = temp / L"other.exe";
    test::WriteFileBytes(path, test::Bytes(12345, 7));
    test::WriteFileBytes(other, test::Bytes(10, 1));
    ASSERT_TRUE(CreateHardLinkW(link.c_str(), path.c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));

    fileio::File file, byLink, otherFile;
    ASSERT_EQ(file.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE), 0u);
    ASSERT_EQ(byLink.Open(link, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE), 0u);
    ASSERT_EQ(otherFile.Open(other, GENERIC_READ, FILE_SHARE_READ), 0u);
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

    bool same = false;
    EXPECT_EQ(byLink.IsFileOf(identity, same), 0u);
    EXPECT_TRUE(same);
    EXPECT_EQ(otherFile.IsFileOf(identity, same), 0u);
    EXPECT_FALSE(same);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace tarnwick
