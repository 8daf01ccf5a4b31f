#pragma once
// Numbers written into names the tool makes (its temporary files, the
// folder lock's mutex), in upper-case hexadecimal digits, zeros included,
// so that a name has one length and one spelling for each number.
#include <cstdint>
#include <string>

namespace tarnwick {

// Appends the lowest `digits` hexadecimal digits of `value` to `text`,
// the most significant first: 8 digits of 0x2A are "0000002A".
void AppendHexDigits(std::wstring& text, std::uint64_t value, int digits);

}  // namespace tarnwick
