#include "core/disk/trailing_separator.h"

#include <gtest/gtest.h>

namespace tarnwick::fileio {
namespace {

// Every folder the tool names goes through this one rule: the separators
// at the end go, a root keeps one backslash.
TEST(WithoutTrailingSeparator, DropsTheEndsSeparatorsAndKeepsARootARoot) {
    const struct {
        const wchar_t* path;
        const wchar_t* expected;
    } rows[] = {
        {L"D:\\Games\\", L"D:\\Games"},
        {L"D:\\Games//\\", L"D:\\Games"},
        {L"D:\\Games", L"D:\\Games"},
        {L"Games/", L"Games"},
        {L"D:\\", L"D:\\"},
        {L"D:/", L"D:\\"},
        {L"D:\\\\", L"D:\\"},
        {L"D:", L"D:"},  // the drive's current folder, not its root
        {L"\\", L"\\"},
        {L"//", L"\\"},
        {L"\\\\server\\share\\", L"\\\\server\\share"},
        {L"", L""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.path)));
        EXPECT_EQ(WithoutTrailingSeparator(row.path), row.expected);
    }
}

}  // namespace
}  // namespace tarnwick::fileio
