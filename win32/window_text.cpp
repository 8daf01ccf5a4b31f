#include "win32/window_text.h"

namespace tarnwick {

std::wstring GetWindowTextString(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    // The length may overestimate (for an ANSI window it can count the
    // bytes of a double-byte text); the copy's own count is what holds.
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

}  // namespace tarnwick
