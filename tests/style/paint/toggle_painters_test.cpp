// Check boxes and option buttons: the box or ring at the left edge, drawn
// over what the platform painted, by state, mark and enabling.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/rounding.h"
#include "style/draw/sprite_cells.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/paint/toggle_painters.h"
#include "tests/support/control_windows.h"
#include "tests/support/engine_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::ColourText;
using test::DibCanvas;

constexpr char kNoticeOff[] = "\xB2\xBB\xD4\xD9\xCF\xD4\xCA\xBE";  // 不再显示

class TogglePainterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::RegisterSuperclass("ThunderRT6CheckBox", "Button");
        test::RegisterSuperclass("ThunderRT6OptionButton", "Button");
    }
    void SetUp() override {
        host_.reset(test::CreateHostWindow(40, 40, 320, 240));
        cx_ = GetSystemMetrics(SM_CXMENUCHECK);
        cy_ = GetSystemMetrics(SM_CYMENUCHECK);
    }

    HWND MakeToggle(const char* className, DWORD style, int height) {
        HWND window = test::CreateTestChild(host_.get(), className, kNoticeOff, style, 0, 10, 10, 120, height);
        test::PumpMessages();
        return window;
    }

    // Sets the window's check and enabling and lets the platform repaint it.
    static void Prepare(HWND window, int check, bool enabled) {
        SendMessageA(window, BM_SETCHECK, check, 0);
        EnableWindow(window, enabled);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        test::PumpMessages();
    }

    test::SpriteScope sprites_;
    test::TestWindow host_;
    int cx_ = 0;
    int cy_ = 0;
};

TEST_F(TogglePainterTest, CheckBoxByStateMarkAndEnabling) {
    const EngineState& engine = Engine();
    for (int height : {22, 24}) {
        test::TestWindow box(MakeToggle("ThunderRT6CheckBox", BS_AUTO3STATE, height));
        const int top = HalfEven(height - cy_);
        for (bool enabled : {true, false}) {
            for (int check : {0, 1, 2}) {
                Prepare(box.get(), check, enabled);
                for (int state : {0, 1, 2}) {
                    SCOPED_TRACE("height " + std::to_string(height) + (enabled ? " enabled" : " disabled") +
                                 " check " + std::to_string(check) + " state " + std::to_string(state));
                    auto before = test::CaptureWindow(box.get());
                    EXPECT_EQ(PaintCheckBox(box.get(), static_cast<VisualState>(state), true), 1);
                    EXPECT_EQ(GetIntProp(box.get(), kPropOldState), state);
                    auto after = test::CaptureWindow(box.get());

                    // The interior: white, or the Hot or Pressed band stretched over it.
                    DibCanvas interior(cx_ - 2, cy_ - 2, White);
                    if (enabled && (state == 1 || state == 2)) {
                        const Box band = state == 1 ? kRoundHotBand : kRoundPressedBand;
                        StretchBlt(interior.dc(), 0, 0, cx_ - 2, cy_ - 2, engine.roundSprite, band.left, band.top,
                                   band.width, band.height, SRCCOPY);
                    }
                    // The mark over it, centred in the box.
                    const Box mark = check == 1 ? (enabled ? kTickEnabled : kTickDisabled)
                                                       : (enabled ? kSquareEnabled : kSquareDisabled);
                    const int markX = HalfEven(cx_ - mark.width), markY = HalfEven(cy_ - mark.height);
                    const COLORREF frame = !enabled      ? BorderColourDisabled
                                           : state == 2 ? CheckFramePressedColour
                                                        : BorderColourEnabled;
                    int bad = 0;
                    for (int y = 0; y < height; ++y) {
                        for (int x = 0; x < 120; ++x) {
                            const int bx = x, by = y - top;
                            COLORREF want;
                            if (bx >= cx_ || by < 0 || by >= cy_) {
                                want = before->At(x, y);  // outside the box nothing changes
                            } else if (bx == 0 || by == 0 || bx == cx_ - 1 || by == cy_ - 1) {
                                want = frame;
                            } else {
                                want = interior.At(bx - 1, by - 1);
                                const int mx = bx - markX, my = by - markY;
                                if (check != 0 && mx >= 0 && my >= 0 && mx < mark.width && my < mark.height) {
                                    COLORREF m = GetPixel(engine.markSprite, mark.left + mx, mark.top + my);
                                    if (m != SpriteKeyColour) want = m;
                                }
                            }
                            COLORREF got = after->At(x, y);
                            if (got != want && ++bad < 5) {
                                ADD_FAILURE() << "pixel " << x << "," << y << " is " << ColourText(got) << ", want "
                                              << ColourText(want);
                            }
                        }
                    }
                    EXPECT_EQ(bad, 0);
                }
            }
        }
    }
}

TEST_F(TogglePainterTest, CheckBoxMarksAreTheSpriteColours) {
    test::TestWindow box(MakeToggle("ThunderRT6CheckBox", BS_AUTO3STATE, 24));
    const int top = HalfEven(24 - cy_);
    struct Case {
        int check;
        bool enabled;
        int x, y;  // a pixel of the mark within the box
        COLORREF colour;
    };
    const int tickX = HalfEven(cx_ - 9), tickY = HalfEven(cy_ - 8);
    const int squareX = HalfEven(cx_ - 7), squareY = HalfEven(cy_ - 7);
    for (Case c : {Case{1, true, tickX + 8, tickY, 0x001DB754}, Case{1, false, tickX + 8, tickY, 0x008CDAA8},
                   Case{1, true, tickX + 3, tickY + 7, 0x00029135},
                   Case{2, true, squareX, squareY, 0x001BB451}, Case{2, true, squareX + 6, squareY + 6, 0x00069639},
                   Case{2, false, squareX + 3, squareY, 0x008BD9A6}}) {
        SCOPED_TRACE("check " + std::to_string(c.check) + (c.enabled ? " enabled" : " disabled"));
        Prepare(box.get(), c.check, c.enabled);
        PaintCheckBox(box.get(), VisualState::Normal, true);
        auto after = test::CaptureWindow(box.get());
        EXPECT_EQ(ColourText(after->At(c.x, top + c.y)), ColourText(c.colour));
    }
}

TEST_F(TogglePainterTest, CheckBoxAskedTwiceForTheSameStateDrawsOnce) {
    test::TestWindow box(MakeToggle("ThunderRT6CheckBox", BS_AUTOCHECKBOX, 24));
    const int top = HalfEven(24 - cy_);
    SetIntProp(box.get(), kPropOldState, 0);
    EXPECT_EQ(PaintCheckBox(box.get(), VisualState::Hot, false), 1);
    // Cover the box; a second paint of the same state must leave the cover.
    const COLORREF cover = RGB(1, 2, 3);
    HDC dc = GetWindowDC(box.get());
    FillSolid(dc, 0, top, cx_, cy_, cover);
    ReleaseDC(box.get(), dc);
    EXPECT_EQ(PaintCheckBox(box.get(), VisualState::Hot, false), 0);
    EXPECT_EQ(test::CaptureWindow(box.get())->CountInsideNot(0, top, cx_, cy_, cover), 0);
    // Forced, it draws again.
    EXPECT_EQ(PaintCheckBox(box.get(), VisualState::Hot, true), 1);
    EXPECT_EQ(test::CaptureWindow(box.get())->At(0, top), BorderColourEnabled);
}

TEST_F(TogglePainterTest, OptionButtonRingAndDotByStateAndEnabling) {
    const EngineState& engine = Engine();
    for (int height : {20, 22, 24}) {
        test::TestWindow option(MakeToggle("ThunderRT6OptionButton", BS_AUTORADIOBUTTON, height));
        const int top = HalfEven(height - cy_);
        for (bool enabled : {true, false}) {
            for (int check : {0, 1}) {
                for (int state : {0, 1, 2, 3}) {
                    SCOPED_TRACE("height " + std::to_string(height) + (enabled ? " enabled" : " disabled") +
                                 " check " + std::to_string(check) + " state " + std::to_string(state));
                    Prepare(option.get(), check, enabled);
                    auto before = test::CaptureWindow(option.get());
                    EXPECT_EQ(PaintOptionButton(option.get(), static_cast<VisualState>(state), true), 1);
                    EXPECT_EQ(GetIntProp(option.get(), kPropOldState), state);
                    auto after = test::CaptureWindow(option.get());

                    // The ring of the state (Disabled for a disabled window; none for an
                    // enabled one in a state without a ring), then the dot.
                    const bool ring = !enabled || state <= 2;
                    const int cell = enabled ? state : 3;
                    DibCanvas expected(before->width(), before->height());
                    BitBlt(expected.dc(), 0, 0, before->width(), before->height(), before->dc(), 0, 0, SRCCOPY);
                    if (ring) {
                        StretchSprite(expected.dc(), 0, top, cx_, cy_, engine.roundSprite,
                                      RoundFrameCell(static_cast<VisualState>(cell)), kRoundFrameMargins,
                                      SpriteKeyColour);
                    }
                    const int dotX = HalfEven(cx_ - 5);
                    const int dotY = RoundHalfEven(top + (cy_ - 5) / 2.0);
                    if (check == 1) {
                        const Box dot = enabled ? kDotEnabled : kDotDisabled;
                        BlitTransparent(expected.dc(), dotX, dotY, 5, 5, engine.markSprite, dot.left, dot.top,
                                        SpriteKeyColour);
                    }
                    EXPECT_EQ(after->Pixels(), expected.Pixels());

                    // Named colours: the ring's side, its untouched corner, the dot's middle.
                    if (ring) {
                        const COLORREF side = cell == 3 ? 0x00E8D2C1 : cell == 2 ? 0x00C18964 : 0x00D2A683;
                        bool found = false;
                        for (int y = top; y < top + cy_; ++y) found = found || after->At(0, y) == side;
                        EXPECT_TRUE(found) << "ring side " << ColourText(side);
                        EXPECT_EQ(after->At(0, top), before->At(0, top));
                    }
                    if (check == 1) {
                        EXPECT_EQ(ColourText(after->At(dotX + 2, dotY + 2)),
                                  ColourText(enabled ? 0x0012A847 : 0x0088D3A3));
                    }
                }
            }
        }
    }
}

TEST_F(TogglePainterTest, OptionButtonAskedTwiceForTheSameStateDrawsOnce) {
    test::TestWindow option(MakeToggle("ThunderRT6OptionButton", BS_AUTORADIOBUTTON, 24));
    SetIntProp(option.get(), kPropOldState, 2);
    auto before = test::CaptureWindow(option.get());
    EXPECT_EQ(PaintOptionButton(option.get(), VisualState::Pressed, false), 0);
    EXPECT_EQ(test::CaptureWindow(option.get())->Pixels(), before->Pixels());
    EXPECT_EQ(PaintOptionButton(option.get(), VisualState::Hot, false), 1);
    EXPECT_EQ(GetIntProp(option.get(), kPropOldState), 1);
    EXPECT_NE(test::CaptureWindow(option.get())->Pixels(), before->Pixels());
}

}  // namespace
}  // namespace tarnwick
