// The main window's picture scaled to the window's size at each DPI setting:
// its see-through pixels must be exactly the scaled frame and corners.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/main_layout.h"
#include "form/picture.h"
#include "form/twips.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/tool_driver.h"

namespace tarnwick {
namespace {

using namespace main_layout;

struct Colour {
    int r, g, b;
    bool operator==(const Colour&) const = default;
};
constexpr Colour kKey{0, 255, 0};

// Pixel (x, y), top row 0, of a 24-bit DIB whose rows are `stride` bytes.
Colour PixelOf(const std::uint8_t* bits, int stride, int height, bool bottomUp, int x, int y) {
    const std::uint8_t* p = bits + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride + 3 * x;
    return {p[2], p[1], p[0]};
}

TEST(Picture, ScaledKeyPixelsAreExactlyTheScaledFrameAndCornersWithNoFringe) {
    const test::Bytes file = test::ReadFileBytes(test::WinePathFromUnix(TARNWICK_SOURCE_DIR "/res/background.bmp"));
    ASSERT_GT(file.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    const auto* fileHeader = reinterpret_cast<const BITMAPFILEHEADER*>(file.data());
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof(BITMAPFILEHEADER));
    const std::uint8_t* bits = file.data() + fileHeader->bfOffBits;
    const int sw = info->bmiHeader.biWidth, sh = info->bmiHeader.biHeight, sstride = (sw * 3 + 3) / 4 * 4;
    auto source = [&](int x, int y) { return PixelOf(bits, sstride, sh, true, x, y); };

    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const int w = TwipsToPixels(kClientWidth, TwipsPerPixel(dpi)), h = TwipsToPixels(kClientHeight, TwipsPerPixel(dpi));
        const ScaledPicture scaled = ScalePicture(*info, bits, w, h, kBackColour);
        ASSERT_EQ(scaled.Width(), w);
        ASSERT_EQ(scaled.Height(), h);
        const int stride = (w * 3 + 3) / 4 * 4;
        int keyPixels = 0, wrong = 0;
        for (int y = 0; y < h && wrong < 10; ++y) {
            for (int x = 0; x < w && wrong < 10; ++x) {
                // The source pixel whose area holds this pixel's centre.
                const int sx = (2 * x + 1) * sw / (2 * w), sy = (2 * y + 1) * sh / (2 * h);
                const Colour out = PixelOf(scaled.bits.data(), stride, h, false, x, y);
                if (source(sx, sy) == kKey) {
                    ++keyPixels;
                    if (out != kKey) {
                        ++wrong;
                        ADD_FAILURE() << "not see-through at " << x << "," << y;
                    }
                    continue;
                }
                if (dpi == 96 && out != source(x, y)) {
                    ++wrong;
                    ADD_FAILURE() << "changed at " << x << "," << y;
                }
                // A panel colour: within what the picture's own (not see-through)
                // pixels round the source pixel span, channel by channel.
                Colour low{255, 255, 255}, high{0, 0, 0};
                for (int ny = std::max(0, sy - 2); ny <= std::min(sh - 1, sy + 2); ++ny) {
                    for (int nx = std::max(0, sx - 2); nx <= std::min(sw - 1, sx + 2); ++nx) {
                        const Colour c = source(nx, ny);
                        if (c == kKey) continue;
                        low = {std::min(low.r, c.r), std::min(low.g, c.g), std::min(low.b, c.b)};
                        high = {std::max(high.r, c.r), std::max(high.g, c.g), std::max(high.b, c.b)};
                    }
                }
                if (out == kKey || out.r < low.r || out.r > high.r || out.g < low.g || out.g > high.g ||
                    out.b < low.b || out.b > high.b) {
                    ++wrong;
                    ADD_FAILURE() << "a colour foreign to the panel at " << x << "," << y;
                }
            }
        }
        EXPECT_GE(keyPixels, 2 * (w + h) - 4) << "at least the outermost frame";
    }
}

}  // namespace
}  // namespace tarnwick
