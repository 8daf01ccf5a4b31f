#include "core/stored/notice_switch.h"

#include "core/stored/data_text_file.h"
#include "core/text/codepage.h"
#include "core/text/text_lines.h"

namespace tarnwick {
namespace {

constexpr std::wstring_view kHeader = L"[信息状态]";
constexpr std::wstring_view kLabel = L"信息：";
// "信息：停用" in code page 936. Line 2 must be exactly these bytes.
constexpr std::string_view kSwitchedOffLine = "\xD0\xC5\xCF\xA2\xA3\xBA\xCD\xA3\xD3\xC3";
constexpr std::size_t kMaxReadBytes = 64 * 1024;

}  // namespace

// The first line is not checked. A file of fewer than two lines leaves
// the notice on.
bool ParseNoticeSwitchedOff(std::string_view bytes) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    return lines.size() >= 2 && lines[1] == kSwitchedOffLine;
}

bool NoticeSwitchedOff(const GameFolder& folder) {
    return ParseNoticeSwitchedOff(ReadWholeLines(folder.HintFile(), kMaxReadBytes));
}

std::string FormatHintFile(std::wstring_view switchWord) {
    std::wstring text(kHeader);
    text += kLineEnd;
    text += kLabel;
    text += switchWord;
    text += kLineEnd;
    return WideToCodePage(text, kGameCodePage);
}

OperationResult WriteHintFile(const GameFolder& folder, std::wstring_view switchWord) {
    return WriteDataTextFile(folder, folder.HintFile(), FormatHintFile(switchWord), Action::SaveNoticeSwitch);
}

}  // namespace tarnwick
