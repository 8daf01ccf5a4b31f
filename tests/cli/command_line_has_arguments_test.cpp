// The quick look for arguments that spares the window's start the loading
// of shell32: wherever it finds none, shell32's CommandLineToArgvW must
// find the program's name alone.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "cli/command_line.h"

namespace tarnwick::cli {
namespace {

int SystemWordCount(const std::wstring& line) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(line.c_str(), &count);
    if (words) LocalFree(words);
    return count;
}

TEST(HasArguments, AgreesWithTheSystemsSplitter) {
    const struct {
        const wchar_t* line;
        bool arguments;
        bool leftToSplitter = false;
    } rows[] = {
        {L"", false},
        {L"Tarnwick.exe", false},
        {L"Tarnwick.exe   \t ", false},
        {L"C:\\Games\\Tarnwick.exe", false},
        {L"\"C:\\Program Files\\流星蝴蝶剑\\Tarnwick.exe\"", false},
        {L"\"C:\\Program Files\\Tarnwick.exe\" ", false},
        {L"\"C:\\Program Files\\Tarnwick.exe", false},
        {L"\"\"", false},
        {L"Tarnwick.exe status", true},
        {L"Tarnwick.exe\tstatus", true},
        {L"\"C:\\a b\\Tarnwick.exe\" apply 1", true},
        {L"\"C:\\a b\\Tarnwick.exe\"status", true},
        {L"Tarnwick.exe \"\"", true},
        {L"Tarnwick.exe \\", true},
        // Left to the system's splitter, which decides either way.
        {L" Tarnwick.exe", true, true},
        {L"Tar\"nwick\".exe", true, true},
        {L"Tarnwick.exe\nstatus", true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "line [" << row.line << "]");
        EXPECT_EQ(HasArguments(row.line), row.arguments);
        if (!row.arguments) {
            EXPECT_EQ(SystemWordCount(row.line), 1) << "the system's splitter finds more than the name";
        } else if (!row.leftToSplitter) {
            EXPECT_GT(SystemWordCount(row.line), 1) << "the system's splitter finds the name alone";
        }
    }
}

}  // namespace
}  // namespace tarnwick::cli
