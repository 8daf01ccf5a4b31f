// The main window's picture scaled to the window's size at each DPI setting:
// its see-through pixels must be exactly the scaled frame and corners.
#include <gtest/gtest.h>

#include "app/main_layout.h"
#include "form/picture.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/tool_driver.h"

namespace tarnwick {
namespace {

// Pixel (x, y), top row 0, of a 24-bit DIB as 0x00BBGGRR.
COLORREF PixelOf(const std::uint8_t* bits, int width, int height, bool bottomUp, int x, int y) {
    const std::uint8_t* p = bits + static_cast<size_t>(bottomUp ? height - 1 - y : y) * ((width * 3 + 3) / 4 * 4) + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

TEST(Picture, ScaledKeyPixelsAreExactlyTheScaledFrameAndCornersWithNoFringe) {
    test::Bytes file = test::ReadFileBytes(test::WinePathFromUnix(TARNWICK_SOURCE_DIR "/res/background.bmp"));
    ASSERT_GT(file.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof(BITMAPFILEHEADER));
    std::uint8_t* bits = file.data() + reinterpret_cast<const BITMAPFILEHEADER*>(file.data())->bfOffBits;
    const int sw = info->bmiHeader.biWidth, sh = info->bmiHeader.biHeight;
    const COLORREF green = main_layout::kBackColour, other = RGB(1, 2, 3);
    // The same picture with another key colour in place of the green: if no
    // key colour bleeds into its neighbours, both scale to the same pixels.
    test::Bytes recoloured = file;
    std::uint8_t* otherBits = recoloured.data() + (bits - file.data());
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < sw; ++x) {
            std::uint8_t* p = otherBits + static_cast<size_t>(y) * ((sw * 3 + 3) / 4 * 4) + 3 * x;
            ASSERT_NE(RGB(p[2], p[1], p[0]), other) << "a colour of the picture";
            if (RGB(p[2], p[1], p[0]) == green) p[0] = 3, p[1] = 2, p[2] = 1;
        }
    }

    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const int w = TwipsToPixels(main_layout::kClientWidth, TwipsPerPixel(dpi));
        const int h = TwipsToPixels(main_layout::kClientHeight, TwipsPerPixel(dpi));
        const ScaledPicture scaled = ScalePicture(*info, bits, w, h, green);
        const ScaledPicture scaledOther = ScalePicture(*info, otherBits, w, h, other);
        ASSERT_EQ(scaled.Width(), w);
        ASSERT_EQ(scaled.Height(), h);
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                // See-through exactly where the source pixel that holds this
                // pixel's centre is (and at 96 dpi every pixel unchanged).
                const bool key = PixelOf(bits, sw, sh, true, (2 * x + 1) * sw / (2 * w), (2 * y + 1) * sh / (2 * h)) == green;
                const COLORREF out = PixelOf(scaled.bits.data(), w, h, false, x, y);
                const COLORREF outOther = PixelOf(scaledOther.bits.data(), w, h, false, x, y);
                bool ok = key ? out == green && outOther == other : out != green && out == outOther;
                if (dpi == 96) ok = ok && out == PixelOf(bits, sw, sh, true, x, y);
                if (!ok && ++wrong <= 5) ADD_FAILURE() << "pixel " << x << "," << y << (key ? " not see-through" : "");
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
}  // namespace tarnwick
