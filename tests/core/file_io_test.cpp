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

// A file number of 0 tells nothing, and two names are one file only when
// both report a second name.
TEST(FileIdentity, NumbersOfZeroAreUnknownAndSecondNamesNeedALinkCount) {
    auto identity = [](DWORD volume, std::uint64_t index, DWORD links, std::uint64_t size) {
        fileio::FileIdentity id;
        id.volume = volume;
        id.index = index;
        id.links = links;
        id.size = size;
        return id;
    };
    const struct {
        const char* name;
        fileio::FileIdentity a, b;
        bool sameFile;    // one name, looked at twice
        bool secondName;  // two names
    } rows[] = {
        {"one file with one name", identity(7, 42, 1, 10), identity(7, 42, 1, 10), true, false},
        {"hard links of one file", identity(7, 42, 2, 10), identity(7, 42, 2, 10), true, true},
        {"another number", identity(7, 42, 2, 10), identity(7, 43, 2, 10), false, false},
        {"another volume", identity(7, 42, 2, 10), identity(8, 42, 2, 10), false, false},
        {"a server that numbers every file 0", identity(7, 0, 1, 10), identity(7, 0, 1, 10), true, false},
        {"numbers of 0 and second names", identity(7, 0, 2, 10), identity(7, 0, 2, 10), true, false},
        {"numbers of 0 and other sizes", identity(7, 0, 1, 10), identity(7, 0, 1, 11), false, false},
        {"a number of 0 beside a real one", identity(7, 0, 1, 10), identity(7, 42, 1, 10), false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.a.SameFileAs(row.b), row.sameFile);
        EXPECT_EQ(row.a.IsSecondNameOf(row.b), row.secondName);
        EXPECT_EQ(row.b.IsSecondNameOf(row.a), row.secondName);
    }
}

// Creating a file or folder where the folder is there and the system says
// "not found" is Controlled Folder Access at work; elsewhere it is not.
TEST(CreationError, NotFoundInAFolderThatIsThereIsABlockedCreation) {
    test::TempFolder temp;
    const struct {
        const char* name;
        DWORD error;
        std::wstring path;
        DWORD reported;
    } rows[] = {
        {"file not found in a folder that is there", ERROR_FILE_NOT_FOUND, temp / L"twk0.tmp",
         fileio::kCreationBlockedError},
        {"path not found in a folder that is there", ERROR_PATH_NOT_FOUND, temp / L"Data",
         fileio::kCreationBlockedError},
        {"the folder is missing", ERROR_PATH_NOT_FOUND, temp / L"Data\\twk0.tmp", ERROR_PATH_NOT_FOUND},
        {"another error", ERROR_ACCESS_DENIED, temp / L"twk0.tmp", ERROR_ACCESS_DENIED},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(fileio::CreationError(row.error, row.path), row.reported);
    }
}

}  // namespace
}  // namespace tarnwick
