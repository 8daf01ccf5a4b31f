#pragma once
// The fifteen value fields: their label captions, default
// texts and typed-length limits.
#include <array>
#include <string>

namespace tarnwick {

inline constexpr int kFieldCount = 15;

struct FieldSpec {
    const wchar_t* caption;      // the field's label, three characters, e.g. "血值："
    const wchar_t* defaultText;  // initial text of the field
    int typedLimit;              // longest text the user may type
    int slotDigits;              // longest value that fits the 4-byte slot
    bool percent;                // "%" follows the digits in the game file
};

extern const std::array<FieldSpec, kFieldCount> kFields;

using FieldTexts = std::array<std::wstring, kFieldCount>;

FieldTexts DefaultFieldTexts();

}  // namespace tarnwick
