// The notice switch file, byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/disk/file_io.h"
#include "core/disk/game_folder.h"
#include "core/stored/notice_switch.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "words/operation_text.h"

namespace tarnwick {
namespace {

// The file's two lines in code page 936.
const std::string kHintHeaderLine = "\x5B\xD0\xC5\xCF\xA2\xD7\xB4\xCC\xAC\x5D\x0D\x0A";
const std::string kHintOffLine = "\xD0\xC5\xCF\xA2\xA3\xBA\xCD\xA3\xD3\xC3\x0D\x0A";
const std::string kHintOnLine = "\xD0\xC5\xCF\xA2\xA3\xBA\xC6\xF4\xD3\xC3\x0D\x0A";

GameFolder FolderAt(const test::TempFolder& temp) { return GameFolder{temp.Path()}; }

TEST(NoticeSwitch, FormatsBothSwitchWordsByteForByte) {
    EXPECT_EQ(FormatHintFile(kSwitchOff), kHintHeaderLine + kHintOffLine);
    EXPECT_EQ(FormatHintFile(kSwitchOn), kHintHeaderLine + kHintOnLine);
}

TEST(NoticeSwitch, OnlyAnExactSecondLineSwitchesTheNoticeOff) {
    const std::string off = kHintOffLine.substr(0, kHintOffLine.size() - 2);
    const struct {
        const char* name;
        std::string bytes;
        bool switchedOff;
    } cases[] = {
        {"off", kHintHeaderLine + kHintOffLine, true},
        {"on", kHintHeaderLine + kHintOnLine, false},
        {"other first line", "[xyz]\r\n" + kHintOffLine, true},
        {"empty first line", "\r\n" + kHintOffLine, true},
        {"LF endings", "[x]\n" + off + "\n", true},
        {"no ending on line 2", "[x]\r\n" + off, true},
        {"more lines after", kHintHeaderLine + kHintOffLine + "junk\r\n", true},
        {"trailing space", "[x]\r\n" + off + " \r\n", false},
        {"off on line 1 only", kHintOffLine, false},
        {"off on line 3", kHintHeaderLine + kHintOnLine + kHintOffLine, false},
        {"empty file", "", false},
        {"one line", kHintHeaderLine, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseNoticeSwitchedOff(c.bytes), c.switchedOff);
    }
}

TEST(NoticeSwitch, WriteCreatesTheFolderAndTheReaderFollowsTheLastWrite) {
    test::TempFolder temp;
    const GameFolder folder = FolderAt(temp);
    EXPECT_FALSE(NoticeSwitchedOff(folder)) << "missing file";

    ASSERT_TRUE(WriteHintFile(folder, kSwitchOff).Succeeded());
    EXPECT_TRUE(fileio::FolderExists(folder.DataFolder()));
    EXPECT_EQ(test::ReadFileText(folder.HintFile()), kHintHeaderLine + kHintOffLine);
    EXPECT_TRUE(NoticeSwitchedOff(folder));

    ASSERT_TRUE(WriteHintFile(folder, kSwitchOn).Succeeded());
    EXPECT_EQ(test::ReadFileText(folder.HintFile()), kHintHeaderLine + kHintOnLine);
    EXPECT_FALSE(NoticeSwitchedOff(folder));
}

TEST(NoticeSwitch, DataPathTakenByAFileIsReported) {
    test::TempFolder temp;
    const GameFolder folder = FolderAt(temp);
    test::WriteFileBytes(folder.DataFolder(), {'x'});
    const OperationResult result = WriteHintFile(folder, kSwitchOff);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_NE(OperationText(result).find(L"保存提示设置失败"), std::wstring::npos);
    EXPECT_NE(OperationText(result).find(L"Data"), std::wstring::npos);
    EXPECT_FALSE(NoticeSwitchedOff(folder));
}

}  // namespace
}  // namespace tarnwick
