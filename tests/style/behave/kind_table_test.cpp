// Each kind's row of paint and frame handlers, through the dispatch: the
// flat frame that replaces a sunken client edge, the frames drawn over what
// a control's own procedure painted, combo boxes and toggles.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/rounding.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/paint/combo_painter.h"
#include "tests/support/control_windows.h"
#include "tests/support/engine_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"
#include "tests/style/behave/dispatch_hook.h"

namespace tarnwick {
namespace {

using test::ColourText;
using test::DibCanvas;

constexpr COLORREF kGridColour = RGB(30, 160, 90);
constexpr char kGridClass[] = "ApexGridPaintTest";  // a Grid by its "apexgrid" prefix

// A grid stand-in that paints its client area in one colour.
LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillSolid(dc, 0, 0, client.right, client.bottom, kGridColour);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class FramePaintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::RegisterSuperclass("DataListWndClass", "ListBox");
        test::RegisterSuperclass("ThunderRT6DriveListBox", "ComboBox");
        test::RegisterSuperclass("ThunderRT6CheckBox", "Button");
        test::RegisterSuperclass("ThunderRT6OptionButton", "Button");
        test::RegisterTestClass(kGridClass, GridProc);
    }
    void SetUp() override { host_.reset(test::CreateHostWindow(40, 40, 420, 300)); }

    HWND Make(const char* className, const char* text, DWORD style, DWORD exStyle, int x, int y, int width,
              int height) {
        HWND window = test::CreateTestChild(host_.get(), className, text, style, exStyle, x, y, width, height);
        if (std::string(className) == "ListBox" || std::string(className) == "DataListWndClass") {
            for (const char* item : {"1.07", "1.08", "9.07"}) {
                SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            }
        }
        test::PumpMessages();
        return window;
    }
    // The same window, routed to the handlers under test.
    HWND MakeRouted(const char* className, const char* text, DWORD style, DWORD exStyle, int x, int y, int width,
                    int height) {
        HWND window = Make(className, text, style, exStyle, x, y, width, height);
        test::RoutePaintThroughKind(window);
        return window;
    }

    test::SpriteScope sprites_;
    test::TestWindow host_;
};

// Pixels of the one-pixel ring `d` pixels inside the edge of a capture that
// differ from `colour`; columns from `skipFrom` on are left out.
int RingMismatches(const DibCanvas& shown, int d, COLORREF colour, int skipFrom = 1 << 30) {
    int bad = 0;
    const int w = shown.width(), h = shown.height();
    for (int x = d; x < w - d; ++x) {
        if (x >= skipFrom) continue;
        bad += shown.At(x, d) != colour;
        bad += shown.At(x, h - 1 - d) != colour;
    }
    for (int y = d; y < h - d; ++y) {
        if (d < skipFrom) bad += shown.At(d, y) != colour;
        if (w - 1 - d < skipFrom) bad += shown.At(w - 1 - d, y) != colour;
    }
    return bad;
}

TEST_F(FramePaintTest, ClientEdgeBecomesAnOutlineWithBackgroundLinesInside) {
    struct Case {
        const char* name;
        DWORD style;
        bool enabled;
        int inset;
    };
    const Case cases[] = {
        {"value field", ES_AUTOHSCROLL, true, 2},
        {"disabled value field", ES_AUTOHSCROLL, false, 2},
        {"with a vertical scroll bar", ES_MULTILINE | WS_VSCROLL, true, 2},
        {"with a border too", WS_BORDER, true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestWindow edit(MakeRouted("Edit", "250", c.style, WS_EX_CLIENTEDGE, 10, 10, 100, 60));
        EnableWindow(edit.get(), c.enabled);
        int ix = 0, iy = 0;
        GetBorderInsets(edit.get(), ix, iy);
        ASSERT_EQ(ix, c.inset);
        test::RepaintNow(edit.get());
        auto shown = test::CaptureWindow(edit.get());
        EXPECT_EQ(RingMismatches(*shown, 0, c.enabled ? BorderColourEnabled : BorderColourDisabled), 0);
        // The lines take the client DC's background colour, white; the
        // innermost one is the client area's first line, which the field
        // paints again with its own background (grey when disabled).
        const COLORREF inner = shown->At(shown->width() - c.inset - 3, shown->height() - c.inset - 3);
        if (c.enabled) {
            EXPECT_EQ(ColourText(inner), ColourText(White));
        }
        for (int d = 1; d <= c.inset; ++d) {
            SCOPED_TRACE("offset " + std::to_string(d));
            EXPECT_EQ(RingMismatches(*shown, d, d < c.inset ? White : inner), 0);
        }
    }
}

// A window with a DC of its own keeps the background set on that DC, and the
// lines inside the outline take it (a cache DC's is always white).
TEST_F(FramePaintTest, ClientEdgeLinesTakeTheBackgroundOfAWindowsOwnDc) {
    WNDCLASSA wc{CS_OWNDC, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                 "TarnwickOwnDcField"};
    RegisterClassA(&wc);
    // With a static edge too, two lines lie inside the outline.
    test::TestWindow field(MakeRouted(wc.lpszClassName, "", 0, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, 10, 10, 100, 60));
    HDC own = GetDC(field.get());
    SetBkColor(own, RGB(10, 120, 200));
    ReleaseDC(field.get(), own);
    test::RepaintNow(field.get());
    auto shown = test::CaptureWindow(field.get());
    EXPECT_EQ(RingMismatches(*shown, 1, RGB(10, 120, 200)) + RingMismatches(*shown, 2, RGB(10, 120, 200)), 0);
}

// Windows the engine does not draw, or draws nothing over, look exactly as
// their own procedure painted them.
TEST_F(FramePaintTest, WindowsWithoutEngineFramesAreLeftAsTheirProcedurePaintedThem) {
    struct Case {
        const char* name;
        const char* className;
        DWORD style;
        DWORD exStyle;
    };
    const Case cases[] = {
        {"edit with a plain border", "Edit", WS_BORDER, 0},
        {"static text", "Static", SS_LEFT, 0},
        {"grid without WS_BORDER", kGridClass, 0, 0},
        {"grid with a static edge only", kGridClass, 0, WS_EX_STATICEDGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestWindow plain(Make(c.className, "1.08", c.style, c.exStyle, 10, 10, 100, 40));
        test::TestWindow routed(MakeRouted(c.className, "1.08", c.style, c.exStyle, 10, 60, 100, 40));
        test::RepaintNow(plain.get());
        test::RepaintNow(routed.get());
        EXPECT_EQ(test::CaptureWindow(routed.get())->Pixels(), test::CaptureWindow(plain.get())->Pixels());
    }
}

TEST_F(FramePaintTest, BorderedGridGetsOneOutlineOverItsOwnPainting) {
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        test::TestWindow grid(MakeRouted(kGridClass, "", WS_BORDER, 0, 10, 10, 120, 50));
        EnableWindow(grid.get(), enabled);
        test::RepaintNow(grid.get());
        auto shown = test::CaptureWindow(grid.get());
        EXPECT_EQ(RingMismatches(*shown, 0, enabled ? BorderColourEnabled : BorderColourDisabled), 0);
        EXPECT_EQ(shown->CountInsideNot(1, 1, 118, 48, kGridColour), 0);
    }
}

TEST_F(FramePaintTest, DataListGetsTheDoubleFrameAndKeepsItsOwnEdge) {
    test::TestWindow plain(Make("DataListWndClass", "", WS_BORDER, WS_EX_CLIENTEDGE, 10, 10, 120, 70));
    test::TestWindow routed(MakeRouted("DataListWndClass", "", WS_BORDER, WS_EX_CLIENTEDGE, 150, 10, 120, 70));
    test::RepaintNow(plain.get());
    test::RepaintNow(routed.get());
    auto shownPlain = test::CaptureWindow(plain.get());
    auto shown = test::CaptureWindow(routed.get());
    EXPECT_EQ(RingMismatches(*shown, 0, BorderColourEnabled), 0);
    EXPECT_EQ(RingMismatches(*shown, 1, White), 0);
    // Its frame handler only forwards: the sunken edge inside stays.
    for (int x = 2; x < 118; ++x) {
        EXPECT_EQ(shown->At(x, 2), shownPlain->At(x, 2)) << x;
    }
}

struct ComboCase {
    const char* name;
    const char* className;
    DWORD style;
};

// The drop-down button as the painter draws it in `state`.
std::unique_ptr<DibCanvas> ButtonAsPainted(HWND combo, int state) {
    const Box box = GetWindowBox(combo);
    auto canvas = std::make_unique<DibCanvas>(box.width, box.height);
    const std::int32_t stored = GetIntProp(combo, kPropOldState);
    PaintComboButton(combo, canvas->dc(), static_cast<VisualState>(state), true);
    SetIntProp(combo, kPropOldState, stored);
    return canvas;
}

TEST_F(FramePaintTest, EditableComboIsPaintedWhollyByTheEngine) {
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        test::TestWindow combo(MakeRouted("ComboBox", "", CBS_DROPDOWN | WS_VSCROLL, 0, 10, 10, 140, 150));
        EnableWindow(combo.get(), enabled);
        SetIntProp(combo.get(), kPropOldState, 1);
        test::RepaintNow(combo.get());
        EXPECT_EQ(GetIntProp(combo.get(), kPropOldState), 1);
        auto shown = test::CaptureWindow(combo.get());
        auto button = ButtonAsPainted(combo.get(), 1);
        const Box box = GetWindowBox(combo.get());
        const int buttonLeft = box.width - (GetSystemMetrics(SM_CXVSCROLL) + 1) - 1;
        // The edit field is a child window that paints itself.
        RECT edit{};
        GetWindowRect(FindWindowExA(combo.get(), nullptr, "Edit", nullptr), &edit);
        OffsetRect(&edit, -box.left, -box.top);
        int bad = 0;
        for (int y = 0; y < box.height; ++y) {
            for (int x = 0; x < box.width; ++x) {
                POINT p{x, y};
                if (PtInRect(&edit, p)) continue;
                COLORREF want = White;
                if (x == 0 || y == 0 || x == box.width - 1 || y == box.height - 1) {
                    want = enabled ? BorderColourEnabled : BorderColourDisabled;
                } else if (x >= buttonLeft && x < box.width - 1) {
                    want = button->At(x, y);
                }
                if (shown->At(x, y) != want && ++bad < 5) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << ColourText(shown->At(x, y)) << ", want "
                                  << ColourText(want);
                }
            }
        }
        EXPECT_EQ(bad, 0);
    }
}

TEST_F(FramePaintTest, DropDownListsGetTheDoubleFrameAndTheirLastButton) {
    for (ComboCase c : {ComboCase{"list", "ComboBox", CBS_DROPDOWNLIST},
                        ComboCase{"drive list", "ThunderRT6DriveListBox", CBS_DROPDOWNLIST}}) {
        for (int state : {0, 2}) {
            SCOPED_TRACE(std::string(c.name) + " state " + std::to_string(state));
            test::TestWindow combo(MakeRouted(c.className, "", c.style | WS_VSCROLL, 0, 10, 10, 140, 150));
            SetIntProp(combo.get(), kPropOldState, state);
            test::RepaintNow(combo.get());
            auto shown = test::CaptureWindow(combo.get());
            auto button = ButtonAsPainted(combo.get(), state);
            const Box box = GetWindowBox(combo.get());
            const int buttonLeft = box.width - (GetSystemMetrics(SM_CXVSCROLL) + 1) - 1;
            EXPECT_EQ(RingMismatches(*shown, 0, BorderColourEnabled), 0);
            EXPECT_EQ(RingMismatches(*shown, 1, White, buttonLeft), 0);
            for (int y = 1; y < box.height - 1; ++y) {
                for (int x = buttonLeft; x < box.width - 1; ++x) {
                    ASSERT_EQ(ColourText(shown->At(x, y)), ColourText(button->At(x, y))) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(FramePaintTest, SimpleComboGetsTheDoubleFrameOnly) {
    test::TestWindow combo(MakeRouted("ComboBox", "", CBS_SIMPLE, 0, 10, 10, 140, 120));
    SetIntProp(combo.get(), kPropOldState, 1);
    test::RepaintNow(combo.get());
    auto shown = test::CaptureWindow(combo.get());
    // The frame lies under the edit field and the list, which are child
    // windows painted after their parent; it shows where they do not reach.
    const Box box = GetWindowBox(combo.get());
    std::vector<RECT> children;
    for (HWND child = GetWindow(combo.get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        OffsetRect(&r, -box.left, -box.top);
        children.push_back(r);
    }
    int outline = 0, white = 0;
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            const int d = std::min(std::min(x, y), std::min(box.width - 1 - x, box.height - 1 - y));
            if (d > 1) continue;
            bool covered = false;
            for (const RECT& r : children) covered = covered || PtInRect(&r, POINT{x, y});
            if (covered) continue;
            const COLORREF want = d == 0 ? BorderColourEnabled : White;
            EXPECT_EQ(ColourText(shown->At(x, y)), ColourText(want)) << x << "," << y;
            (d == 0 ? outline : white) += 1;
        }
    }
    EXPECT_GT(outline, 10);
    EXPECT_GT(white, 10);
    // No button: the state stays as it was.
    EXPECT_EQ(GetIntProp(combo.get(), kPropOldState), 1);
}

TEST_F(FramePaintTest, TogglesAreRedrawnNormalOverThePlatformsPainting) {
    const int cx = GetSystemMetrics(SM_CXMENUCHECK), cy = GetSystemMetrics(SM_CYMENUCHECK);
    test::TestWindow check(MakeRouted("ThunderRT6CheckBox", "A", BS_AUTOCHECKBOX, 0, 10, 10, 120, 24));
    test::TestWindow option(MakeRouted("ThunderRT6OptionButton", "B", BS_AUTORADIOBUTTON, 0, 10, 40, 120, 24));
    const int top = HalfEven(24 - cy);
    SetIntProp(check.get(), kPropOldState, 1);
    SetIntProp(option.get(), kPropOldState, 2);
    test::RepaintNow(check.get());
    test::RepaintNow(option.get());
    EXPECT_EQ(GetIntProp(check.get(), kPropOldState), 0);
    EXPECT_EQ(GetIntProp(option.get(), kPropOldState), 0);

    auto shownCheck = test::CaptureWindow(check.get());
    for (int i = 0; i < cx; ++i) {
        EXPECT_EQ(ColourText(shownCheck->At(i, top)), ColourText(BorderColourEnabled));
        EXPECT_EQ(ColourText(shownCheck->At(i, top + cy - 1)), ColourText(BorderColourEnabled));
    }
    EXPECT_EQ(shownCheck->CountInsideNot(1, top + 1, cx - 2, cy - 2, White), 0);

    auto shownOption = test::CaptureWindow(option.get());
    bool side = false;
    for (int y = top; y < top + cy; ++y) side = side || shownOption->At(0, y) == 0x00D2A683;
    EXPECT_TRUE(side) << "the Normal ring";
}

}  // namespace
}  // namespace tarnwick
