#include <windows.h>

#include <gtest/gtest.h>

#include "core/disk/file_io.h"
#include "core/disk/folder_guard.h"
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

// A file number of 0 tells nothing, and two names are one file only when
// both report a second name.
TEST(FileIdentity, NumbersOfZeroAreUnknownAndSecondNamesNeedALinkCount) {
    auto id = [](DWORD volume, std::uint64_t index, DWORD links, std::uint64_t size) {
        fileio::FileIdentity identity;
        identity.volume = volume, identity.index = index, identity.links = links, identity.size = size;
        return identity;
    };
    const struct {
        fileio::FileIdentity a, b;
        bool sameFile, secondName;  // one name looked at twice; two names
    } rows[] = {
        {id(7, 42, 1, 10), id(7, 42, 1, 10), true, false},   // one name (or ReFS numbers that meet)
        {id(7, 42, 2, 10), id(7, 42, 2, 10), true, true},    // hard links
        {id(7, 42, 2, 10), id(7, 43, 2, 10), false, false},  // another number
        {id(7, 42, 2, 10), id(8, 42, 2, 10), false, false},  // another volume
        {id(7, 0, 2, 10), id(7, 0, 2, 10), true, false},     // a server that numbers every file 0
        {id(7, 0, 1, 10), id(7, 0, 1, 11), false, false},
        {id(7, 0, 1, 10), id(7, 42, 1, 10), false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.a.index << " " << row.b.index);
        EXPECT_EQ(row.a.SameFileAs(row.b), row.sameFile);
        EXPECT_EQ(row.a.IsSecondNameOf(row.b), row.secondName);
    }
}

// "Not found" for a creation in a folder that is there is Controlled
// Folder Access at work, where the system has it: Windows 10 1709 and
// later, on a local volume, in a real folder.
TEST(CreationError, NotFoundInAFolderThatIsThereIsABlockedCreationWhereTheSystemCanBlock) {
    const struct {
        fileio::GuardFacts facts;
        bool canRefuse;
    } rows[] = {
        {{10, 16299, DRIVE_FIXED, true}, true},
        {{10, 22631, DRIVE_REMOVABLE, true}, true},
        {{10, 16298, DRIVE_FIXED, true}, false},   // Windows 10 before 1709
        {{6, 9600, DRIVE_FIXED, true}, false},     // 8.1
        {{5, 2600, DRIVE_FIXED, true}, false},     // XP
        {{10, 19045, DRIVE_REMOTE, true}, false},  // a network share
        {{10, 19045, DRIVE_FIXED, false}, false},  // a link leading nowhere
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.facts.major << "." << row.facts.build << " " << row.facts.driveType);
        EXPECT_EQ(fileio::FolderGuardCanRefuse(row.facts), row.canRefuse);
    }
    test::TempFolder temp;
    const DWORD blocked =
        fileio::FolderGuardCanRefuse(fileio::GuardFactsFor(temp / L"twk0.tmp")) ? fileio::kCreationBlockedError : ERROR_FILE_NOT_FOUND;
    EXPECT_EQ(fileio::CreationError(ERROR_FILE_NOT_FOUND, temp / L"twk0.tmp"), blocked);
    EXPECT_EQ(fileio::CreationError(ERROR_PATH_NOT_FOUND, temp / L"Data\\x.tmp"), DWORD{ERROR_PATH_NOT_FOUND});
}

}  // namespace
}  // namespace tarnwick
