#include "core/text/hex_digits.h"

namespace tarnwick {

void AppendHexDigits(std::wstring& text, std::uint64_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) text += L"0123456789ABCDEF"[(value >> shift) & 0xF];
}

}  // namespace tarnwick
