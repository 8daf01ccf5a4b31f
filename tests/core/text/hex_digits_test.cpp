#include "core/text/hex_digits.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// The names built from numbers (temporary files "twk" and eight digits
// ".tmp", the lock's mutex) are recognised by their length and digits.
TEST(AppendHexDigits, WritesEveryDigitInUpperCase) {
    const struct {
        std::uint64_t value;
        int digits;
        const wchar_t* expected;
    } rows[] = {
        {0x2A, 8, L"twk0000002A"},
        {0xFFFFFFFFu, 8, L"twkFFFFFFFF"},
        {0x123456789ABCDEF0ull, 16, L"twk123456789ABCDEF0"},
        {0x123456789ABCDEF0ull, 8, L"twk9ABCDEF0"},
    };
    for (const auto& row : rows) {
        std::wstring text = L"twk";
        AppendHexDigits(text, row.value, row.digits);
        EXPECT_EQ(text, row.expected);
    }
}

}  // namespace
}  // namespace tarnwick
