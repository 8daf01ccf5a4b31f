#pragma once
// The fifteen value fields T1(0)..T1(14): their label captions, default
// texts and typed-length limits.
#include <array>
#include <string>

namespace tarnwick {

inline constexpr int kFieldCount = 15;

struct FieldSpec {
    const wchar_t* caption;      // label L1(i), three characters, e.g. "血值："
    const wchar_t* defaultText;  // initial text of T1(i)
    int typedLimit;              // longest text the user may type
    int slotDigits;              // longest value that fits the 4-byte slot
    bool percent;                // "%" follows the digits in the game file
};

extern const std::array<FieldSpec, kFieldCount> kFields;

using FieldTexts = std::array<std::wstring, kFieldCount>;

FieldTexts DefaultFieldTexts();

}  // namespace tarnwick
