// The text files' code page is 936 whatever the system's own is, so these
// rows hold on an English or a Traditional Chinese system as well.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/text/codepage.h"
#include "tests/support/temp_folder.h"
#include "words/messages.h"

namespace tarnwick {
namespace {

TEST(CodePage, GameTextsConvertThroughCodePage936BothWays) {
    const struct {
        const char* name;
        std::wstring_view units;
        std::string_view bytes;
        bool roundTrip;  // the bytes give the units back
    } rows[] = {
        {"a caption with a full-width colon", L"血值：", "\xD1\xAA\xD6\xB5\xA3\xBA", true},
        {"ASCII digits", L"1234", "1234", true},
        {"a unit code page 936 lacks becomes ?", L"\u0E01", "?", false},
        {"nothing", L"", "", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WideToCodePage(row.units, kGameCodePage), row.bytes);
        if (row.roundTrip) {
            EXPECT_EQ(CodePageToWide(row.bytes, kGameCodePage), row.units);
        }
    }
}

// Without code page 936 (XP without East Asian support) no game is
// recognised: the refusal says what to install.
TEST(CodePage, AMissingCodePageIsToldWithWhatToInstall) {
    EXPECT_TRUE(CodePageInstalled(kGameCodePage));
    EXPECT_FALSE(CodePageInstalled(12345));
    EXPECT_TRUE(VersionUnknownText(true).starts_with(L"无法识别您当前所使用的版本\n本工具只认识"));
    EXPECT_EQ(VersionUnknownText(false), L"无法识别您当前所使用的版本\n" + std::wstring(kCodePageMissingText));
}

// The game folder's path may hold Chinese; the file calls are wide.
TEST(CodePage, FilesWithChineseNamesAreCreatedWhateverTheSystemCodePage) {
    test::TempFolder folder;
    const std::wstring name = folder / L"流星蝴蝶剑.txt";
    HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder / L"*.txt").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_STREQ(found.cFileName, L"流星蝴蝶剑.txt");
}

}  // namespace
}  // namespace tarnwick
