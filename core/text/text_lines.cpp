#include "core/text/text_lines.h"

namespace tarnwick {
namespace {

template <class Char>
std::vector<std::basic_string_view<Char>> LinesOf(std::basic_string_view<Char> text) {
    std::vector<std::basic_string_view<Char>> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c != Char('\r') && c != Char('\n')) continue;
        lines.push_back(text.substr(start, i - start));
        if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) { return LinesOf(text); }
std::vector<std::wstring_view> SplitLines(std::wstring_view text) { return LinesOf(text); }

std::string_view WholeLines(std::string_view firstBytes, bool fileGoesOn) {
    if (!fileGoesOn) return firstBytes;
    const std::size_t lastEnd = firstBytes.find_last_of("\r\n");
    return lastEnd == std::string_view::npos ? std::string_view() : firstBytes.substr(0, lastEnd + 1);
}

}  // namespace tarnwick
