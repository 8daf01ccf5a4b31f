// Push buttons: the four state images and the constant-opacity blend of one
// onto the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/paint/button_painter.h"
#include "tests/support/control_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::ColourText;
using test::DibCanvas;

constexpr char kConfirm[] = "\xC8\xB7\xC8\xCF";  // 确认
constexpr int kWidth = 75;
constexpr int kHeight = 23;

class ButtonPainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.reset(test::CreateHostWindow(40, 40, 200, 120));
        button_.reset(CreateWindowExA(0, "Button", kConfirm, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, kWidth,
                                      kHeight, host_.get(), nullptr, GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(button_);
        SendMessageA(button_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        test::PumpMessages();
        images_ = std::make_unique<test::ButtonStateImages>(button_.get());
    }
    void TearDown() override { images_.reset(); }

    test::SpriteScope sprites_;
    test::TestWindow host_;
    test::TestWindow button_;
    std::unique_ptr<test::ButtonStateImages> images_;
};

bool OnFocusRectangle(int x, int y) {
    const int left = 2, top = 2, right = kWidth - 3, bottom = kHeight - 3;
    bool onColumn = (x == left || x == right) && y >= top && y <= bottom;
    bool onRow = (y == top || y == bottom) && x >= left && x <= right;
    return onColumn || onRow;
}

TEST_F(ButtonPainterTest, ImagesCarryFaceCornersCaptionAndFocusOnlyWhileFocused) {
    SetFocus(button_.get());
    if (GetFocus() != button_.get()) {
        GTEST_SKIP() << "the test button cannot take the focus on this display";
    }
    RenderButtonStates(button_.get());
    std::vector<COLORREF> focused[4];
    for (int s = 0; s < 4; ++s) focused[s] = images_->Pixels(s);

    SetFocus(host_.get());
    ASSERT_NE(GetFocus(), button_.get());
    RenderButtonStates(button_.get());

    const HDC sprite = Engine().buttonSprite;
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE("state " + std::to_string(s));
        std::vector<COLORREF> plain = images_->Pixels(s);
        // The face's 3 x 3 corners are the sprite cell's, unscaled.
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(ColourText(plain[y * kWidth + x]), ColourText(GetPixel(sprite, x, 21 * s + y)));
                EXPECT_EQ(ColourText(plain[(kHeight - 3 + y) * kWidth + kWidth - 3 + x]),
                          ColourText(GetPixel(sprite, 4 + x, 21 * s + 18 + y)));
            }
        }
        // The focus rectangle, inset by 2, is the only difference.
        int onRectangle = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (focused[s][y * kWidth + x] == plain[y * kWidth + x]) continue;
                ASSERT_TRUE(OnFocusRectangle(x, y)) << "changed pixel off the focus rectangle at " << x << "," << y;
                ++onRectangle;
            }
        }
        // A dotted line over the whole perimeter.
        EXPECT_GE(onRectangle, (2 * (kWidth - 4) + 2 * (kHeight - 4)) / 3);
    }
}

TEST_F(ButtonPainterTest, CaptionIsBlackInEnabledImagesAndGreyInTheDisabledOne) {
    RenderButtonStates(button_.get());
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE("state " + std::to_string(s));
        const COLORREF caption = s == 3 ? ButtonDisabledTextColour : ButtonTextColour;
        const COLORREF other = s == 3 ? ButtonTextColour : ButtonDisabledTextColour;
        std::vector<COLORREF> pixels = images_->Pixels(s);
        int captionLike = 0, otherLike = 0;
        for (int y = 4; y < kHeight - 4; ++y) {
            for (int x = 4; x < kWidth - 4; ++x) {
                COLORREF c = pixels[y * kWidth + x];
                auto close = [&](COLORREF want) {
                    return std::abs(GetRValue(c) - GetRValue(want)) <= 8 &&
                           std::abs(GetGValue(c) - GetGValue(want)) <= 8 &&
                           std::abs(GetBValue(c) - GetBValue(want)) <= 8;
                };
                captionLike += close(caption);
                otherLike += close(other);
            }
        }
        EXPECT_GT(captionLike, 10) << "caption pixels in the image's text colour";
        EXPECT_EQ(otherLike, 0);
    }
}

// Each channel of a constant-alpha blend: source * a + destination * (255 - a), over 255.
void ExpectBlend(const DibCanvas& canvas, const std::vector<COLORREF>& image, COLORREF background, int alpha) {
    int mismatches = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            COLORREF source = image[y * kWidth + x];
            COLORREF got = canvas.At(x, y);
            auto channel = [&](int s, int d, int g) {
                int want = (s * alpha + d * (255 - alpha)) / 255;
                return std::abs(g - want) <= 2;
            };
            bool ok = channel(GetRValue(source), GetRValue(background), GetRValue(got)) &&
                      channel(GetGValue(source), GetGValue(background), GetGValue(got)) &&
                      channel(GetBValue(source), GetBValue(background), GetBValue(got));
            if (!ok && ++mismatches < 5) {
                ADD_FAILURE() << "at " << x << "," << y << ": " << ColourText(got) << " from "
                              << ColourText(source) << " over " << ColourText(background);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(ButtonPainterTest, BlendsAnImageWithTheGivenOpacity) {
    RenderButtonStates(button_.get());
    const COLORREF background = RGB(0x20, 0x90, 0x40);
    for (int state : {0, 1, 2}) {
        for (int alpha : {-5, 0, 3, 60, 128, 140, 254, 255, 300}) {
            SCOPED_TRACE("state " + std::to_string(state) + ", opacity " + std::to_string(alpha));
            DibCanvas canvas(kWidth, kHeight, background);
            BlendButtonImage(button_.get(), canvas.dc(), images_->Image(state), alpha);
            std::vector<COLORREF> image = images_->Pixels(state);
            if (alpha <= 0) {
                EXPECT_EQ(canvas.CountInsideNot(0, 0, kWidth, kHeight, background), 0);
            } else if (alpha >= 255) {
                EXPECT_EQ(canvas.Pixels(), image);
            } else {
                ExpectBlend(canvas, image, background, alpha);
            }
        }
    }
}

TEST_F(ButtonPainterTest, WithoutATargetItPaintsTheWindowItself) {
    RenderButtonStates(button_.get());
    BlendButtonImage(button_.get(), nullptr, images_->Image(2), 255);
    auto shown = test::CaptureWindow(button_.get());
    EXPECT_EQ(shown->Pixels(), images_->Pixels(2));
}

}  // namespace
}  // namespace tarnwick
