#include <gtest/gtest.h>

#include <vector>

#include "form/message_lines.h"

namespace tarnwick {
namespace {

// Chinese characters and full-width signs 10 wide, everything else 5.
std::wstring Broken(std::wstring_view text, int maxWidth) {
    std::vector<int> advances;
    for (wchar_t c : text) advances.push_back(c < 0x2E80 && c != L'“' && c != L'”' ? 5 : 10);
    return BreakMessageLines(text, advances, maxWidth);
}

TEST(MessageLines, BreaksWhereAReaderExpects) {
    struct Case {
        const wchar_t* text;
        int maxWidth;
        const wchar_t* expected;
    } cases[] = {
        // A line that fits stays as it is, and so do the text's own breaks.
        {L"恭喜您修改成功", 70, L"恭喜您修改成功"},
        {L"写入失败\n请重试", 40, L"写入失败\n请重试"},
        // A path moves to the next line whole, the space before it kept.
        {L"没有权限写入 data\\Hint.cfg。", 110, L"没有权限写入 \r\ndata\\Hint.cfg。"},
        // Closing punctuation stays with the character before it.
        {L"文件是只读的。请取消", 60, L"文件是只读\r\n的。请取消"},
        // Opening punctuation goes with what it opens, never ends a line.
        {L"请在“属性”中取消", 50, L"请在“属\r\n性”中取消"},
        // The last line does not keep "的。" alone.
        {L"无法识别游戏版本的。", 80, L"无法识别游戏版\r\n本的。"},
        // A path wider than a line gets one of its own, unbroken.
        {L"文件 C:\\Games\\Meteor\\meteor.exe 不见了", 60, L"文件 \r\nC:\\Games\\Meteor\\meteor.exe \r\n不见了"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(Broken(c.text, c.maxWidth), c.expected);
    }
}

}  // namespace
}  // namespace tarnwick
