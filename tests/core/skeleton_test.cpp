#include <windows.h>

#include <gtest/gtest.h>

#include "core/codepage.h"
#include "core/game_folder.h"
#include "tests/support/temp_folder.h"

namespace tarnwick {
namespace {

TEST(Skeleton, TempFolderHoldsFilesWithChineseNames) {
    test::TempFolder folder;
    std::wstring name = folder / L"流星蝴蝶剑.txt";
    HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_TRUE(FileExists(name));
    EXPECT_EQ(GetACP(), 936u) << "tests expect the Chinese ANSI code page";
    EXPECT_EQ(WideToCodePage(L"血值：", kGameCodePage), "\xD1\xAA\xD6\xB5\xA3\xBA");
}

}  // namespace
}  // namespace tarnwick
