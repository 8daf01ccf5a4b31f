#include "style/draw/back_buffer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "style/draw/primitives.h"
#include "tests/support/pixels.h"

namespace tarnwick {
namespace {

using test::kMarker;

// What is drawn into the buffer reaches the destination at the given place
// and size, and nothing else of the destination changes.
TEST(BackBuffer, CopiesWhatWasDrawnToThePlaceAndSizeAsked) {
    const COLORREF drawn = RGB(0x12, 0x34, 0x56);
    struct Case {
        int x, y, width, height;  // a width of 0: the whole buffer
    };
    for (Case c : {Case{0, 0, 0, 0}, Case{5, 3, 0, 0}, Case{7, 2, 4, 6}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.width << "x" << c.height);
        test::DibCanvas destination(30, 20);
        BackBuffer buffer(10, 8, destination.dc());
        ASSERT_TRUE(buffer.get());
        FillSolid(buffer.get(), 0, 0, 10, 8, drawn);
        const int w = c.width ? c.width : 10, h = c.width ? c.height : 8;
        EXPECT_TRUE(c.width ? buffer.CopyTo(destination.dc(), c.x, c.y, c.width, c.height)
                            : buffer.CopyTo(destination.dc(), c.x, c.y));
        EXPECT_EQ(destination.CountInsideNot(c.x, c.y, w, h, drawn), 0);
        EXPECT_EQ(destination.CountOutsideNot(c.x, c.y, w, h, kMarker), 0);
    }
}

}  // namespace
}  // namespace tarnwick
