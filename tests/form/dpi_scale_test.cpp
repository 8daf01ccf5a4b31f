#include <gtest/gtest.h>

#include "form/dpi_scale.h"

namespace tarnwick {
namespace {

TEST(DpiScale, TwipsPerPixelFollowsTheScreenResolution) {
    struct Case {
        int dpi;
        double twipsPerPixel;
    } cases[] = {{96, 15}, {120, 12}, {144, 10}, {192, 7.5}, {0, 15}, {-1, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_DOUBLE_EQ(TwipsPerPixel(c.dpi), c.twipsPerPixel);
    }
}

TEST(DpiScale, ConversionRoundsToTheNearestPixelWithTiesToEven) {
    struct Case {
        double twips;
        double twipsPerPixel;
        int pixels;
    } cases[] = {
        {7710, 15, 514}, {4380, 15, 292}, {7695, 15, 513}, {0, 15, 0},
        {7, 15, 0},      {8, 15, 1},      {22.5, 15, 2},   {37.5, 15, 2},  // 1.5 -> 2, 2.5 -> 2
        {7710, 12, 642},                                                    // 642.5 -> 642
        {4995, 15, 333}, {5000, 15, 333}, {-240, 15, -16}, {50, 7.5, 7},    // 6.67 -> 7
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.twips << " twips at " << c.twipsPerPixel);
        EXPECT_EQ(TwipsToPixels(c.twips, c.twipsPerPixel), c.pixels);
    }
}

TEST(DpiScale, BoxesConvertEachValueOnItsOwn) {
    // 2040 + 735 twips: the right edge is 136 + 49 pixels, not round(2775 / 15).
    EXPECT_EQ(TwipsToPixels(Box{2040, 1845, 735, 375}, 15), (Box{136, 123, 49, 25}));
    EXPECT_EQ(TwipsToPixels(Box{1080, 1800, 735, 300}, 12), (Box{90, 150, 61, 25}));  // 61.25 -> 61
}

}  // namespace
}  // namespace tarnwick
