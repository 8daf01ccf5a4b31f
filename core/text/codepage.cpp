#include "core/text/codepage.h"

#include <windows.h>

#include <climits>

namespace tarnwick {

bool CodePageInstalled(unsigned codePage) { return IsValidCodePage(codePage) != FALSE; }

// Default flags on purpose: units the code page lacks become the code
// page's default character "?", exactly as an ANSI window stores them.
std::string WideToCodePage(std::wstring_view text, unsigned codePage) {
    if (text.empty() || text.size() > INT_MAX / 4) return {};
    const int length = static_cast<int>(text.size());
    int n = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    n = WideCharToMultiByte(codePage, 0, text.data(), length, out.data(), n, nullptr, nullptr);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::wstring CodePageToWide(std::string_view bytes, unsigned codePage) {
    if (bytes.empty() || bytes.size() > INT_MAX / 2) return {};
    const int length = static_cast<int>(bytes.size());
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    n = MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), n);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

}  // namespace tarnwick
