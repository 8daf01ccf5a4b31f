// Progress bars, painted wholly by the engine on WM_NCPAINT and WM_PAINT:
// the outline, the white trough and the fill by position.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "style/draw/colours.h"
#include "tests/support/control_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"
#include "tests/style/behave/dispatch_hook.h"

namespace tarnwick {
namespace {

using test::ColourText;
using test::DibCanvas;

class ProgressPaintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::LoadCommonControls();
        test::RegisterSuperclass("ProgressBar20WndClass", "msctls_progress32");
    }
    void SetUp() override { host_.reset(test::CreateHostWindow(40, 40, 300, 200)); }

    // A bar whose client area is clientWidth x clientHeight, routed to the
    // paint handlers, with the range 0..range and the position set.
    HWND MakeBar(DWORD style, int clientWidth, int clientHeight, int range, int position, DWORD exStyle = 0) {
        HWND bar = CreateWindowExA(exStyle, "ProgressBar20WndClass", "", WS_CHILD | WS_VISIBLE | style, 10, 10,
                                   clientWidth, clientHeight, host_.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
        RECT window{}, client{};
        GetWindowRect(bar, &window);
        GetClientRect(bar, &client);
        // Grow the window by its border so the client area has the size asked for.
        SetWindowPos(bar, nullptr, 0, 0, clientWidth + (window.right - window.left) - client.right,
                     clientHeight + (window.bottom - window.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
        SendMessageA(bar, PBM_SETRANGE32, 0, range);
        SendMessageA(bar, PBM_SETPOS, position, 0);
        test::PumpMessages();
        test::RoutePaintThroughKind(bar);
        return bar;
    }

    test::SpriteScope sprites_;
    test::TestWindow host_;
};

// The bar's geometry: whole window and client area inside its border.
struct BarBox {
    int width, height, clientLeft, clientTop, clientWidth, clientHeight;
};

BarBox BoxOf(HWND bar) {
    RECT window{}, client{};
    GetWindowRect(bar, &window);
    GetClientRect(bar, &client);
    BarBox b{window.right - window.left, window.bottom - window.top, 0, 0, client.right, client.bottom};
    b.clientLeft = (b.width - b.clientWidth) / 2;
    b.clientTop = (b.height - b.clientHeight) / 2;
    return b;
}

// Compares the shown bar with an outline (when it has a border), white
// inside it, and the fill over the client rectangle (fillLeft, fillTop,
// fillWidth, fillHeight).
void ExpectBar(HWND bar, int fillLeft, int fillTop, int fillWidth, int fillHeight) {
    const BarBox b = BoxOf(bar);
    auto shown = test::CaptureWindow(bar);
    int bad = 0;
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x) {
            COLORREF want = White;
            const bool border = b.clientLeft > 0;
            if (border && (x == 0 || y == 0 || x == b.width - 1 || y == b.height - 1)) {
                want = BorderColourEnabled;
            } else {
                int cx = x - b.clientLeft, cy = y - b.clientTop;
                if (cx >= fillLeft && cx < fillLeft + fillWidth && cy >= fillTop && cy < fillTop + fillHeight) {
                    want = ProgressFillColour;
                }
            }
            COLORREF got = shown->At(x, y);
            if (got != want && ++bad < 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << ColourText(got) << ", want "
                              << ColourText(want);
            }
        }
    }
    EXPECT_EQ(bad, 0);
}

TEST_F(ProgressPaintTest, HorizontalBarFillsFromTheLeftByPosition) {
    struct Case {
        int clientWidth, range, position, fill;
    };
    const Case cases[] = {
        {200, 30000, 0, 0},       {200, 30000, 15000, 100}, {200, 30000, 30000, 200},
        {200, 30000, 150, 1},     {5, 30000, 15000, 2},     {7, 30000, 15000, 4},
        // Beyond 30000 the fill is held to the client area; the outline stays.
        {200, 60000, 45000, 200},
    };
    struct Border {
        const char* name;
        DWORD style, exStyle;
    };
    const Border borders[] = {
        {"one-pixel border", WS_BORDER, 0},
        {"two-pixel border", WS_BORDER, WS_EX_STATICEDGE},
        {"no border: the client painting covers the window", 0, 0},
    };
    for (const Border& border : borders) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(border.name) + " width " + std::to_string(c.clientWidth) + " position " +
                         std::to_string(c.position));
            test::TestWindow bar(MakeBar(border.style, c.clientWidth, 14, c.range, c.position, border.exStyle));
            ASSERT_EQ(SendMessageA(bar.get(), PBM_GETPOS, 0, 0), c.position);
            test::RepaintNow(bar.get());
            ExpectBar(bar.get(), 0, 0, c.fill, 14);
        }
    }
}

TEST_F(ProgressPaintTest, VerticalBarFillsFromTheBottomWithOrWithoutSmoothStyle) {
    struct Case {
        int clientHeight, position, fillTop;
    };
    // 5 x 0.5 = 2.5: the fill starts at row 2 and reaches the bottom.
    const Case cases[] = {{100, 0, 100}, {100, 7500, 75}, {100, 15000, 50}, {100, 30000, 0}, {5, 15000, 2},
                          {7, 15000, 4}};
    for (DWORD smooth : {0ul, static_cast<unsigned long>(PBS_SMOOTH)}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(smooth ? "smooth" : "blocks") + " height " + std::to_string(c.clientHeight) +
                         " position " + std::to_string(c.position));
            test::TestWindow bar(MakeBar(WS_BORDER | PBS_VERTICAL | smooth, 20, c.clientHeight, 30000, c.position));
            test::RepaintNow(bar.get());
            ExpectBar(bar.get(), 0, c.fillTop, 20, c.clientHeight - c.fillTop);
        }
    }
}

// The frame painting alone covers the client area too: a smooth vertical
// bar shows its fill there, one without PBS_SMOOTH only white (its client
// painting comes next).
TEST_F(ProgressPaintTest, FramePaintingAloneShowsTheSmoothVerticalFillOnly) {
    for (DWORD smooth : {0ul, static_cast<unsigned long>(PBS_SMOOTH)}) {
        SCOPED_TRACE(smooth ? "smooth" : "blocks");
        test::TestWindow bar(MakeBar(WS_BORDER | PBS_VERTICAL | smooth, 20, 100, 30000, 7500));
        EXPECT_EQ(test::DispatchToKind(test::RoutedPreviousProc(bar.get()), bar.get(), WM_NCPAINT, 1, 0), 0);
        ExpectBar(bar.get(), 0, 75, smooth ? 20 : 0, 25);
    }
    test::TestWindow bar(MakeBar(WS_BORDER, 200, 14, 30000, 15000));
    test::DispatchToKind(test::RoutedPreviousProc(bar.get()), bar.get(), WM_NCPAINT, 1, 0);
    ExpectBar(bar.get(), 0, 0, 100, 14);
}

TEST_F(ProgressPaintTest, ADisabledBarKeepsTheEnabledOutline) {
    test::TestWindow bar(MakeBar(WS_BORDER, 100, 14, 30000, 30000));
    EnableWindow(bar.get(), FALSE);
    test::RepaintNow(bar.get());
    ExpectBar(bar.get(), 0, 0, 100, 14);
}

TEST_F(ProgressPaintTest, ClientPaintingGoesIntoADcPassedWithTheMessage) {
    test::TestWindow bar(MakeBar(WS_BORDER, 100, 14, 30000, 15000));
    DibCanvas canvas(100, 14);
    EXPECT_EQ(test::DispatchToKind(test::RoutedPreviousProc(bar.get()), bar.get(), WM_PAINT,
                                    reinterpret_cast<WPARAM>(canvas.dc()), 0),
              0);
    EXPECT_EQ(canvas.CountInsideNot(0, 0, 50, 14, ProgressFillColour), 0);
    EXPECT_EQ(canvas.CountInsideNot(50, 0, 50, 14, White), 0);
}

}  // namespace
}  // namespace tarnwick
