#include "style/draw/rounding.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <utility>

namespace tarnwick {
namespace {

TEST(Rounding, TiesGoToEven) {
    struct Case {
        double value;
        std::int32_t rounded;
    };
    for (Case c : {Case{0.5, 0}, Case{1.5, 2}, Case{2.5, 2}, Case{3.5, 4}, Case{5.5, 6}, Case{6.5, 6},
                   Case{7.5, 8}, Case{-0.5, 0}, Case{-1.5, -2}, Case{-2.5, -2}, Case{2.4999, 2},
                   Case{2.5001, 3}, Case{-2.7, -3}, Case{0.0, 0}, Case{100.0, 100}, Case{1e12, INT_MAX},
                   Case{-1e12, INT_MIN}}) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded);
    }
    for (auto [value, half] : {std::pair{5, 2}, std::pair{3, 2}, std::pair{7, 4}, std::pair{15, 8},
                               std::pair{13, 6}, std::pair{4, 2}, std::pair{0, 0}, std::pair{-3, -2}}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(HalfEven(value), half);
    }
    // Whole expressions stay in floating point and round once.
    int over = 11;  // combo button width 18 minus the arrow's 7
    EXPECT_EQ(RoundHalfEven(over - over / 2.0), 6);
    EXPECT_EQ(RoundHalfEven(200 * (15000 / 30000.0)), 100);
    EXPECT_EQ(RoundHalfEven(5 * (15000 / 30000.0)), 2);
}

}  // namespace
}  // namespace tarnwick
