#include "notice/hint_file.h"

#include "app/patch/codepage.h"
#include "app/patch/file_io.h"
#include "app/patch/messages.h"
#include "app/patch/text_lines.h"

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
    fileio::Bytes bytes;
    std::uint64_t size = 0;
    if (fileio::ReadFileRange(folder.HintFile(), 0, kMaxReadBytes, bytes, size)) return false;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return ParseNoticeSwitchedOff(WholeLines(text, size > bytes.size()));
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
    const std::wstring path = folder.HintFile();
    if (DWORD error = fileio::EnsureFolder(folder.DataFolder())) {
        return FailureResult(Action::SaveNoticeSwitch, folder, folder.DataFolder(), error);
    }
    if (DWORD error = fileio::CheckReplaceable(path)) return FailureResult(Action::SaveNoticeSwitch, folder, path, error);
    if (DWORD error = fileio::ReplaceFileContents(path, FormatHintFile(switchWord))) {
        return FailureResult(Action::SaveNoticeSwitch, folder, path, error);
    }
    return {};
}

}  // namespace tarnwick
