// The drop-down button of combo boxes: faces by state, the arrow's place,
// the open list, simple combo boxes and the skip-unless-forced rule.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/rounding.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/paint/combo_painter.h"
#include "tests/support/control_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::ColourText;
using test::DibCanvas;
using test::kMarker;

constexpr COLORREF kArrowEnabled = 0x005F5519;
constexpr COLORREF kArrowDisabled = 0x00ACA584;

class ComboPainterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::RegisterSuperclass("ThunderRT6DriveListBox", "ComboBox"); }

    void SetUp() override { host_.reset(test::CreateHostWindow(40, 40, 320, 240)); }

    HWND MakeCombo(const char* className, DWORD style, int x = 10, int y = 10) {
        HWND combo = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, x, y, 140, 160,
                                     host_.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
        for (const char* item : {"1.07", "1.08", "9.07"}) {
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        test::PumpMessages();
        return combo;
    }

    test::SpriteScope sprites_;
    test::TestWindow host_;
};

// Where the button of a combo box of the given size lies on its window.
struct ButtonPlace {
    int left, top, width, height, arrowX, arrowY;
};

ButtonPlace PlaceOf(const Box& box) {
    const int bw = GetSystemMetrics(SM_CXVSCROLL) + 1;
    const int left = box.width - bw - 1;
    return {left, 1, bw, box.height - 2, left + ComboArrowLeft(bw), 1 + HalfEven(box.height - 6)};
}

bool InArrow(const ButtonPlace& p, int x, int y) {
    int row = y - p.arrowY;
    int column = x - p.arrowX;
    return row >= 0 && row < 4 && column >= row && column <= 6 - row;
}

// The face of state `state` (0 white; 1 and 2 the sprite's faces, stretched
// with fixed borders left 2, top 1, right 1, bottom 1) with the arrow over it.
void ExpectButton(const DibCanvas& canvas, const ButtonPlace& p, int state, bool enabled) {
    EXPECT_EQ(canvas.CountOutsideNot(p.left, p.top, p.width, p.height, kMarker), 0) << "drawn outside the button";
    const HDC sprite = Engine().comboButtonSprite;
    const int faceX = state == 2 ? 4 : 0;
    auto faceAt = [&](int x, int y) -> COLORREF {
        if (state != 1 && state != 2) return White;
        int sx = x < 2 ? x : x == p.width - 1 ? 3 : 2;
        int sy = y == 0 ? 0 : y == p.height - 1 ? 17 : -1;
        return sy < 0 ? CLR_INVALID : GetPixel(sprite, faceX + sx, sy);
    };
    int bad = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            COLORREF got = canvas.At(p.left + x, p.top + y);
            COLORREF want = InArrow(p, p.left + x, p.top + y) ? (enabled ? kArrowEnabled : kArrowDisabled)
                                                               : faceAt(x, y);
            if (want == CLR_INVALID) continue;  // the stretched middle rows
            if (got != want && ++bad < 6) {
                ADD_FAILURE() << "button pixel " << x << "," << y << " is " << ColourText(got) << ", want "
                              << ColourText(want);
            }
        }
    }
    EXPECT_EQ(bad, 0);
    if (state == 1 || state == 2) {
        // The face's left border line runs down the whole button.
        for (int y = 0; y < p.height; ++y) {
            EXPECT_EQ(ColourText(canvas.At(p.left, p.top + y)), ColourText(0x00D1A04E)) << "row " << y;
        }
    }
}

TEST_F(ComboPainterTest, FaceAndArrowByStateStyleAndEnabling) {
    struct Kind {
        const char* className;
        DWORD style;
    };
    for (Kind kind : {Kind{"ComboBox", CBS_DROPDOWN}, Kind{"ComboBox", CBS_DROPDOWNLIST},
                      Kind{"ThunderRT6DriveListBox", CBS_DROPDOWNLIST}}) {
        test::TestWindow combo(MakeCombo(kind.className, kind.style));
        const Box box = GetWindowBox(combo.get());
        const ButtonPlace place = PlaceOf(box);
        for (bool enabled : {true, false}) {
            EnableWindow(combo.get(), enabled);
            for (int state : {0, 1, 2}) {
                SCOPED_TRACE(std::string(kind.className) + " style " + std::to_string(kind.style) +
                             (enabled ? " enabled" : " disabled") + " state " + std::to_string(state));
                DibCanvas canvas(box.width, box.height);
                PaintComboButton(combo.get(), canvas.dc(), static_cast<VisualState>(state), true);
                EXPECT_EQ(GetIntProp(combo.get(), kPropOldState), state);
                ExpectButton(canvas, place, state, enabled);
            }
        }
    }
}

TEST_F(ComboPainterTest, ArrowLeftEdgeIsHalfTheRoomRoundedOnceToEven) {
    struct Case {
        int buttonWidth, left;
    };
    for (Case c : {Case{16, 4}, Case{17, 5}, Case{18, 6}, Case{19, 6}, Case{20, 6}, Case{21, 7}, Case{22, 8}}) {
        SCOPED_TRACE(c.buttonWidth);
        EXPECT_EQ(ComboArrowLeft(c.buttonWidth), c.left);
    }
}

// The arrow's place follows the platform's scroll-bar width: 16 makes a
// 17-pixel button with the arrow at 5, 17 an 18-pixel one with it at 6.
TEST_F(ComboPainterTest, ArrowSitsWhereTheScrollBarWidthPutsIt) {
    NONCLIENTMETRICSA saved{};
    saved.cbSize = sizeof saved;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0));
    test::TestWindow combo(MakeCombo("ComboBox", CBS_DROPDOWNLIST));
    const Box box = GetWindowBox(combo.get());
    struct Case {
        int scrollWidth, buttonWidth, arrowLeft;
    };
    for (Case c : {Case{16, 17, 5}, Case{17, 18, 6}}) {
        SCOPED_TRACE("scroll bar " + std::to_string(c.scrollWidth));
        NONCLIENTMETRICSA metrics = saved;
        metrics.iScrollWidth = c.scrollWidth;
        SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        if (GetSystemMetrics(SM_CXVSCROLL) != c.scrollWidth) {
            SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
            GTEST_SKIP() << "the scroll-bar width cannot be set here";
        }
        DibCanvas canvas(box.width, box.height);
        PaintComboButton(combo.get(), canvas.dc(), VisualState::Normal, true);
        const int buttonLeft = box.width - c.buttonWidth - 1;
        // The button starts right after the marker; the arrow's top row
        // starts arrowLeft pixels into it.
        EXPECT_EQ(canvas.At(buttonLeft - 1, 5), kMarker);
        EXPECT_EQ(canvas.At(buttonLeft, 5), White);
        const int arrowRow = 1 + HalfEven(box.height - 6);
        EXPECT_EQ(ColourText(canvas.At(buttonLeft + c.arrowLeft - 1, arrowRow)), ColourText(White));
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(ColourText(canvas.At(buttonLeft + c.arrowLeft + x, arrowRow)), ColourText(kArrowEnabled));
        }
        EXPECT_EQ(ColourText(canvas.At(buttonLeft + c.arrowLeft + 7, arrowRow)), ColourText(White));
    }
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), saved.iScrollWidth);
}

TEST_F(ComboPainterTest, AnOpenListShowsThePressedFaceAndRecordsIt) {
    test::TestWindow combo(MakeCombo("ComboBox", CBS_DROPDOWNLIST));
    const Box box = GetWindowBox(combo.get());
    SendMessageA(combo.get(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_NE(SendMessageA(combo.get(), CB_GETDROPPEDSTATE, 0, 0), 0);

    DibCanvas canvas(box.width, box.height);
    PaintComboButton(combo.get(), canvas.dc(), VisualState::Hot, false);
    EXPECT_EQ(GetIntProp(combo.get(), kPropOldState), 2);
    ExpectButton(canvas, PlaceOf(box), 2, true);

    // Asked again for Hot while the list stays open: that is the state drawn
    // last, so nothing is drawn.
    DibCanvas again(box.width, box.height);
    PaintComboButton(combo.get(), again.dc(), VisualState::Hot, false);
    EXPECT_EQ(GetIntProp(combo.get(), kPropOldState), 2);
    EXPECT_EQ(again.CountInsideNot(0, 0, box.width, box.height, kMarker), 0);
    SendMessageA(combo.get(), CB_SHOWDROPDOWN, FALSE, 0);
    test::PumpMessages();
}

TEST_F(ComboPainterTest, ASimpleComboBoxHasNoButtonToDraw) {
    test::TestWindow combo(MakeCombo("ComboBox", CBS_SIMPLE));
    const Box box = GetWindowBox(combo.get());
    SetIntProp(combo.get(), kPropOldState, 0);
    for (bool force : {false, true}) {
        DibCanvas canvas(box.width, box.height);
        PaintComboButton(combo.get(), canvas.dc(), VisualState::Hot, force);
        EXPECT_EQ(canvas.CountInsideNot(0, 0, box.width, box.height, kMarker), 0);
        EXPECT_EQ(GetIntProp(combo.get(), kPropOldState), 0);
    }
}

TEST_F(ComboPainterTest, TheStateDrawnLastIsRedrawnOnlyWhenForced) {
    test::TestWindow combo(MakeCombo("ComboBox", CBS_DROPDOWNLIST));
    const Box box = GetWindowBox(combo.get());
    struct Step {
        int stored, asked;
        bool force, drawn;
    };
    for (Step s : {Step{1, 1, false, false}, Step{1, 1, true, true}, Step{1, 2, false, true},
                   Step{0, 0, false, false}, Step{2, 0, false, true}}) {
        SCOPED_TRACE("stored " + std::to_string(s.stored) + " asked " + std::to_string(s.asked) +
                     (s.force ? " forced" : ""));
        SetIntProp(combo.get(), kPropOldState, s.stored);
        DibCanvas canvas(box.width, box.height);
        PaintComboButton(combo.get(), canvas.dc(), static_cast<VisualState>(s.asked), s.force);
        EXPECT_EQ(canvas.CountInsideNot(0, 0, box.width, box.height, kMarker) != 0, s.drawn);
        EXPECT_EQ(GetIntProp(combo.get(), kPropOldState), s.drawn ? s.asked : s.stored);
    }
}

TEST_F(ComboPainterTest, AStateWithoutAFaceGetsTheWhiteOne) {
    test::TestWindow combo(MakeCombo("ComboBox", CBS_DROPDOWNLIST));
    const Box box = GetWindowBox(combo.get());
    DibCanvas canvas(box.width, box.height);
    PaintComboButton(combo.get(), canvas.dc(), VisualState::Disabled, true);
    ExpectButton(canvas, PlaceOf(box), 0, true);
}

TEST_F(ComboPainterTest, WithoutATargetItPaintsTheWindowItself) {
    test::TestWindow combo(MakeCombo("ComboBox", CBS_DROPDOWNLIST));
    PaintComboButton(combo.get(), nullptr, VisualState::Hot, true);
    auto shown = test::CaptureWindow(combo.get());
    const ButtonPlace place = PlaceOf(GetWindowBox(combo.get()));
    // Only the button is checked: the rest shows what the combo box drew.
    DibCanvas button(place.width, place.height);
    for (int y = 0; y < place.height; ++y) {
        for (int x = 0; x < place.width; ++x) {
            button.Set(x, y, shown->At(place.left + x, place.top + y));
        }
    }
    ButtonPlace local = place;
    local.arrowX -= place.left;
    local.arrowY -= place.top;
    local.left = 0;
    local.top = 0;
    ExpectButton(button, local, 1, true);
}

}  // namespace
}  // namespace tarnwick
