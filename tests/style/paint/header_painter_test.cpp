// One header item: its face by state, its caption, and nothing for an item
// that does not exist.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "style/draw/primitives.h"
#include "style/model/engine_state.h"
#include "style/paint/header_painter.h"
#include "tests/support/control_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::ColourText;
using test::DibCanvas;
using test::kMarker;

constexpr int kHeaderHeight = 20;  // the sprite's height: faces come out unscaled vertically

HWND MakeHeader(HWND host, const char* className) {
    HWND header = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_HORZ, 5, 5, 260,
                                  kHeaderHeight, host, nullptr, GetModuleHandleA(nullptr), nullptr);
    struct Item {
        const char* text;
        int width;
    };
    int index = 0;
    // 名称, no caption, 数量
    for (Item item : {Item{"\xC3\xFB\xB3\xC6", 80}, Item{"", 60}, Item{"\xCA\xFD\xC1\xBF", 70}}) {
        HDITEMA record{};
        record.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        record.pszText = const_cast<char*>(item.text);
        record.cxy = item.width;
        record.fmt = HDF_STRING | HDF_LEFT;
        SendMessageA(header, HDM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&record));
    }
    SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    test::PumpMessages();
    return header;
}

RECT ItemRect(HWND header, int index) {
    RECT rect{};
    SendMessageA(header, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// The face pixel at (x, y) of an item `width` wide: the cell's left column,
// its middle column stretched, its right column.
COLORREF FacePixel(int cellX, int width, int x, int y) {
    int column = x == 0 ? 0 : x == width - 1 ? 2 : 1;
    return GetPixel(Engine().headerSprite, cellX + column, y);
}

class HeaderPainterTest : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() {
        test::LoadCommonControls();
        test::RegisterSuperclass("MSVB_LIB_Header", "SysHeader32");
    }
    void SetUp() override {
        host_.reset(test::CreateHostWindow(40, 40, 300, 60));
        header_.reset(MakeHeader(host_.get(), GetParam()));
        ASSERT_TRUE(header_);
        ASSERT_EQ(SendMessageA(header_.get(), HDM_GETITEMCOUNT, 0, 0), 3);
        box_ = GetWindowBox(header_.get());
    }

    test::SpriteScope sprites_;
    test::TestWindow host_;
    test::TestWindow header_;
    Box box_;
};

TEST_P(HeaderPainterTest, EachItemGetsTheFaceOfItsStateAndItsCaption) {
    struct Case {
        int state, cellX;
    };
    for (int index = 0; index < 3; ++index) {
        for (Case c : {Case{0, 0}, Case{1, 3}, Case{2, 6}, Case{7, 0}, Case{-1, 0}}) {
            SCOPED_TRACE("item " + std::to_string(index) + " state " + std::to_string(c.state));
            DibCanvas canvas(box_.width, box_.height);
            PaintHeaderItem(header_.get(), canvas.dc(), index, c.state);
            const RECT r = ItemRect(header_.get(), index);
            const int width = r.right - r.left;
            EXPECT_EQ(canvas.CountOutsideNot(r.left, 0, width, r.bottom, kMarker), 0) << "drawn outside the item";
            int faceMismatches = 0, textPixels = 0;
            for (int y = 0; y < kHeaderHeight; ++y) {
                for (int x = 0; x < width; ++x) {
                    COLORREF got = canvas.At(r.left + x, y);
                    COLORREF face = FacePixel(c.cellX, width, x, y);
                    if (got == face) continue;
                    ++faceMismatches;
                    // Caption pixels are darker than the face they cover.
                    if (GetGValue(got) < GetGValue(face)) ++textPixels;
                }
            }
            if (index == 1) {
                EXPECT_EQ(faceMismatches, 0) << "an item without a caption gets its face only";
            } else {
                EXPECT_GT(textPixels, 10) << "the caption is drawn";
                EXPECT_EQ(faceMismatches, textPixels);
                // The caption stays off the item's border columns.
                for (int y = 0; y < kHeaderHeight; ++y) {
                    EXPECT_EQ(canvas.At(r.left, y), FacePixel(c.cellX, width, 0, y));
                    EXPECT_EQ(canvas.At(r.right - 1, y), FacePixel(c.cellX, width, width - 1, y));
                }
            }
        }
    }
}

TEST_P(HeaderPainterTest, NoItemNoDrawing) {
    for (int index : {-1, -5, 3, 100}) {
        SCOPED_TRACE(index);
        DibCanvas canvas(box_.width, box_.height);
        PaintHeaderItem(header_.get(), canvas.dc(), index, 1);
        EXPECT_EQ(canvas.CountInsideNot(0, 0, box_.width, box_.height, kMarker), 0);
    }
}

TEST_P(HeaderPainterTest, WithoutATargetItPaintsTheWindowItself) {
    DibCanvas expected(box_.width, box_.height);
    PaintHeaderItem(header_.get(), expected.dc(), 1, 2);
    PaintHeaderItem(header_.get(), nullptr, 1, 2);
    auto shown = test::CaptureWindow(header_.get());
    const RECT r = ItemRect(header_.get(), 1);
    for (int y = 0; y < kHeaderHeight; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            ASSERT_EQ(ColourText(shown->At(x, y)), ColourText(expected.At(x, y))) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, HeaderPainterTest, ::testing::Values("SysHeader32", "MSVB_LIB_Header"));

}  // namespace
}  // namespace tarnwick
