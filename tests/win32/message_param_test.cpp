#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "win32/message_param.h"

namespace tarnwick {
namespace {

TEST(MessageParam, SignedHalvesOfAMessageParameter) {
    struct Case {
        std::uint32_t value;
        std::int16_t low;
        std::int16_t high;
    };
    for (Case c : {Case{0x00000000u, 0, 0}, Case{0x00140032u, 50, 20}, Case{0xFFFFFFFFu, -1, -1},
                   Case{0x8000FFFEu, -2, -32768}, Case{0x7FFF8000u, -32768, 32767}}) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(SignedLoWord(c.value), c.low);
        EXPECT_EQ(SignedHiWord(c.value), c.high);
    }
    // A mouse position left of and above the window while captured.
    LPARAM lParam = MAKELPARAM(-5, -7);
    EXPECT_EQ(SignedLoWord(static_cast<std::uint32_t>(lParam)), -5);
    EXPECT_EQ(SignedHiWord(static_cast<std::uint32_t>(lParam)), -7);
}

}  // namespace
}  // namespace tarnwick
