#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "tests/support/gdi_probe.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::ColourText;
using test::DibCanvas;
using test::kMarker;

constexpr COLORREF kRed = 0x000000FF;

TEST(Primitives, ZeroSizeBoxesDrawNothing) {
    struct Size {
        int width;
        int height;
    };
    for (Size size : {Size{0, 5}, Size{5, 0}, Size{0, 0}}) {
        for (const char* op : {"fill", "frame", "focus"}) {
            SCOPED_TRACE(std::string(op) + " " + std::to_string(size.width) + "x" + std::to_string(size.height));
            DibCanvas canvas(12, 12, White);
            if (std::string(op) == "fill") {
                FillSolid(canvas.dc(), 3, 3, size.width, size.height, kRed);
            } else if (std::string(op) == "frame") {
                FrameSolid(canvas.dc(), 3, 3, size.width, size.height, kRed);
            } else {
                DrawFocusBox(canvas.dc(), 3, 3, size.width, size.height);
            }
            EXPECT_EQ(canvas.CountOutsideNot(0, 0, 0, 0, White), 0);
        }
    }
}

TEST(Primitives, FillCoversExactlyTheBox) {
    DibCanvas canvas(16, 16);
    EXPECT_NE(FillSolid(canvas.dc(), 2, 3, 4, 5, BorderColourEnabled), 0);
    EXPECT_EQ(canvas.CountInsideNot(2, 3, 4, 5, BorderColourEnabled), 0);
    EXPECT_EQ(canvas.CountOutsideNot(2, 3, 4, 5, kMarker), 0);
    EXPECT_EQ(ColourText(canvas.At(5, 7)), ColourText(BorderColourEnabled));
    EXPECT_EQ(ColourText(canvas.At(6, 7)), ColourText(kMarker));
    EXPECT_EQ(ColourText(canvas.At(5, 8)), ColourText(kMarker));
}

TEST(Primitives, FrameIsOnePixelAlongTheInsideOfTheBox) {
    DibCanvas canvas(16, 16);
    EXPECT_NE(FrameSolid(canvas.dc(), 2, 3, 6, 5, ProgressFillColour), 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            bool inBox = x >= 2 && x < 8 && y >= 3 && y < 8;
            bool onEdge = inBox && (x == 2 || x == 7 || y == 3 || y == 7);
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_EQ(ColourText(canvas.At(x, y)), ColourText(onEdge ? ProgressFillColour : kMarker));
        }
    }
}

TEST(Primitives, FrameOfOnePixelBoxIsThatPixel) {
    DibCanvas canvas(5, 5);
    FrameSolid(canvas.dc(), 2, 2, 1, 1, kRed);
    EXPECT_EQ(canvas.CountInsideNot(2, 2, 1, 1, kRed), 0);
    EXPECT_EQ(canvas.CountOutsideNot(2, 2, 1, 1, kMarker), 0);
}

TEST(Primitives, FocusBoxIsADottedLineOnTheEdgeOfTheBox) {
    DibCanvas canvas(20, 20, White);
    EXPECT_TRUE(DrawFocusBox(canvas.dc(), 3, 4, 10, 8));
    int onEdge = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            bool inBox = x >= 3 && x < 13 && y >= 4 && y < 12;
            bool edge = inBox && (x == 3 || x == 12 || y == 4 || y == 11);
            if (canvas.At(x, y) != White) {
                SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
                EXPECT_TRUE(edge) << "focus box drew off its edge";
                ++onEdge;
            }
        }
    }
    // Dotted: some but not all of the 32 edge pixels.
    EXPECT_GT(onEdge, 8);
    EXPECT_LT(onEdge, 32);
    // Drawn with XOR: a second call takes it away again.
    DrawFocusBox(canvas.dc(), 3, 4, 10, 8);
    EXPECT_EQ(canvas.CountOutsideNot(0, 0, 0, 0, White), 0);
}

// Bounding box of the pixels that differ from the background.
RECT InkBounds(const DibCanvas& canvas, COLORREF background) {
    RECT r{canvas.width(), canvas.height(), -1, -1};
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.At(x, y) != background) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
        }
    }
    return r;
}

TEST(Primitives, DrawTextCentresOneLineInTheBoxAndKeepsTheDCSettings) {
    DibCanvas canvas(120, 40, White);
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), RGB(0, 0, 0));
    HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
    int height = DrawTextInRect(canvas.dc(), L"OK", 10, 5, 100, 30, kCentredEllipsisFormat);
    EXPECT_GT(height, 0);
    RECT ink = InkBounds(canvas, White);
    ASSERT_GE(ink.right, 0) << "nothing drawn";
    // Centred both ways within a pixel or two of rounding.
    EXPECT_NEAR((ink.left - 10) - (110 - ink.right), 0, 2);
    EXPECT_NEAR((ink.top - 5) - (35 - ink.bottom), 0, 3);
    EXPECT_EQ(GetBkMode(canvas.dc()), TRANSPARENT);
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
}

TEST(Primitives, LongTextStaysOnOneLineInsideTheBox) {
    DibCanvas canvas(100, 60, White);
    SetBkMode(canvas.dc(), TRANSPARENT);
    std::wstring longText = L"A caption far too long to fit into this narrow box at all";
    DrawTextInRect(canvas.dc(), longText, 20, 10, 50, 40, kCentredEllipsisFormat);
    RECT ink = InkBounds(canvas, White);
    ASSERT_GE(ink.right, 0);
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 70);
    TEXTMETRICA tm{};
    GetTextMetricsA(canvas.dc(), &tm);
    EXPECT_LE(ink.bottom - ink.top, tm.tmHeight) << "wrapped onto more lines";
    EXPECT_NEAR((ink.top - 10) - (50 - ink.bottom), 0, 4);
    // The same pixels as DrawTextW with the box as a rectangle, which cuts
    // the line with an ellipsis.
    DibCanvas direct(100, 60, White);
    SetBkMode(direct.dc(), TRANSPARENT);
    RECT box{20, 10, 70, 50};
    DrawTextW(direct.dc(), longText.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(canvas.Pixels(), direct.Pixels());
}

TEST(Primitives, DrawTextDrawsChineseTextWhateverTheCodePage) {
    DibCanvas viaEngine(120, 30, White);
    DibCanvas direct(120, 30, White);
    for (const DibCanvas* c : {&viaEngine, &direct}) {
        SetBkMode(c->dc(), TRANSPARENT);
    }
    DrawTextInRect(viaEngine.dc(), L"流星蝴蝶剑", 0, 0, 120, 30, kCentredEllipsisFormat);
    RECT box{0, 0, 120, 30};
    DrawTextW(direct.dc(), L"流星蝴蝶剑", -1, &box, kCentredEllipsisFormat);
    EXPECT_EQ(viaEngine.Pixels(), direct.Pixels());
    EXPECT_GE(InkBounds(viaEngine, White).right, 0) << "nothing drawn";
}

TEST(Primitives, WindowBoxIsTheWholeWindowInScreenCoordinates) {
    test::TestWindow window("Static", "", WS_POPUP | WS_BORDER, 0, 30, 40, 120, 50);
    ASSERT_TRUE(window);
    const Box box = GetWindowBox(window.get());
    EXPECT_EQ(box, (Box{30, 40, 120, 50}));
    EXPECT_EQ(box.Right(), 150);
    EXPECT_EQ(box.Bottom(), 90);
    EXPECT_EQ(GetWindowBox(nullptr), Box{}) << "all zeros when it cannot be read";
}

// A window class whose non-client area is whatever the test asks for.
RECT g_nonClient{};

LRESULT CALLBACK NonClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCALCSIZE) {
        RECT* r = reinterpret_cast<RECT*>(lParam);
        r->left += g_nonClient.left;
        r->top += g_nonClient.top;
        r->right -= g_nonClient.right;
        r->bottom -= g_nonClient.bottom;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Primitives, BorderInsetsOfStandardBorders) {
    struct Case {
        const char* className;
        DWORD style;
        DWORD exStyle;
        int horizontal;
        int vertical;
    };
    const Case cases[] = {
        // A sunken 2-pixel edge; the scroll bar does not count.
        {"ListBox", WS_POPUP | WS_VSCROLL, WS_EX_CLIENTEDGE, 2, 2},
        {"ListBox", WS_POPUP | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE, 2, 2},
        {"Edit", WS_POPUP, WS_EX_CLIENTEDGE, 2, 2},
        {"Static", WS_POPUP | WS_BORDER, 0, 1, 1},
        {"Static", WS_POPUP, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.className) + " style " + std::to_string(c.style));
        test::TestWindow window(c.className, "", c.style, c.exStyle, 0, 0, 120, 80);
        ASSERT_TRUE(window);
        int h = -1, v = -1;
        GetBorderInsets(window.get(), h, v);
        EXPECT_EQ(h, c.horizontal);
        EXPECT_EQ(v, c.vertical);
    }
}

TEST(Primitives, BorderInsetsHalveTheTotalWithTiesToEven) {
    ASSERT_TRUE(test::RegisterTestClass("TarnwickNonClientTest", NonClientProc));
    struct Case {
        RECT nonClient;  // left, top, right, bottom
        DWORD style;
        int horizontal;
        int vertical;
    };
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const int hbar = GetSystemMetrics(SM_CYHSCROLL);
    const Case cases[] = {
        {{2, 2, 3, 3}, 0, 2, 2},      // 5 -> 2.5 -> 2
        {{1, 0, 2, 1}, 0, 2, 0},      // 3 -> 1.5 -> 2, 1 -> 0.5 -> 0
        {{3, 4, 4, 3}, 0, 4, 4},      // 7 -> 3.5 -> 4
        {{2, 2, 2 + bar, 2}, WS_VSCROLL, 2, 2},
        {{2, 2, 2, 3 + hbar}, WS_HSCROLL, 2, 2},
        {{0, 0, 0, 0}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nonClient.left) + "+" + std::to_string(c.nonClient.right) + ", " +
                     std::to_string(c.nonClient.top) + "+" + std::to_string(c.nonClient.bottom));
        g_nonClient = c.nonClient;
        test::TestWindow window("TarnwickNonClientTest", "", WS_POPUP | c.style, 0, 0, 0, 100, 60);
        ASSERT_TRUE(window);
        SetWindowPos(window.get(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        int h = -1, v = -1;
        GetBorderInsets(window.get(), h, v);
        EXPECT_EQ(h, c.horizontal);
        EXPECT_EQ(v, c.vertical);
    }
}

}  // namespace
}  // namespace tarnwick
