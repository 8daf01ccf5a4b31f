// Headers: one item's face by state, its caption, and nothing for an item
// that does not exist; the whole header, the stretched background and every
// item in its state, pressed before hot.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "style/draw/primitives.h"
#include "style/model/properties.h"
#include "style/model/engine_state.h"
#include "style/paint/header_painter.h"
#include "tests/support/control_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"
#include "tests/style/behave/dispatch_hook.h"

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
        VisualState state;
        int cellX;
    };
    for (int index = 0; index < 3; ++index) {
        for (Case c : {Case{VisualState::Normal, 0}, Case{VisualState::Hot, 3}, Case{VisualState::Pressed, 6},
                       Case{VisualState::Disabled, 0}}) {
            SCOPED_TRACE("item " + std::to_string(index) + " state " + std::to_string(ToInt(c.state)));
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
        PaintHeaderItem(header_.get(), canvas.dc(), index, VisualState::Hot);
        EXPECT_EQ(canvas.CountInsideNot(0, 0, box_.width, box_.height, kMarker), 0);
    }
}

TEST_P(HeaderPainterTest, WithoutATargetItPaintsTheWindowItself) {
    DibCanvas expected(box_.width, box_.height);
    PaintHeaderItem(header_.get(), expected.dc(), 1, VisualState::Pressed);
    PaintHeaderItem(header_.get(), nullptr, 1, VisualState::Pressed);
    auto shown = test::CaptureWindow(header_.get());
    const RECT r = ItemRect(header_.get(), 1);
    for (int y = 0; y < kHeaderHeight; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            ASSERT_EQ(ColourText(shown->At(x, y)), ColourText(expected.At(x, y))) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, HeaderPainterTest, ::testing::Values("SysHeader32", "MSVB_LIB_Header"));

// The whole header, painted through its kind's WM_PAINT handler.

constexpr int kWidth = 260;

class HeaderPaintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::LoadCommonControls();
        test::RegisterSuperclass("MSVB_LIB_Header", "SysHeader32");
    }
    void SetUp() override { host_.reset(test::CreateHostWindow(40, 40, 300, 60)); }

    // A routed header with items of the given captions and widths.
    HWND MakeHeader(const char* className, const std::vector<std::pair<const char*, int>>& items) {
        HWND header = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_HORZ, 5, 5, kWidth,
                                      kHeaderHeight, host_.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
        int index = 0;
        for (const auto& [text, width] : items) {
            HDITEMA record{};
            record.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            record.pszText = const_cast<char*>(text);
            record.cxy = width;
            record.fmt = HDF_STRING | HDF_CENTER;
            SendMessageA(header, HDM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&record));
        }
        SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        SetIntProp(header, kPropHeaderDownIndex, -1);
        SetIntProp(header, kPropHeaderHotIndex, -1);
        test::PumpMessages();
        test::RoutePaintThroughKind(header);
        return header;
    }

    test::SpriteScope sprites_;
    test::TestWindow host_;
};

COLORREF SpriteAt(int x, int y) { return GetPixel(Engine().headerSprite, x, y); }

TEST_F(HeaderPaintTest, ItemsShowPressedBeforeHotBeforeNormal) {
    struct Case {
        int pressed, hot;
        int cells[3];
    };
    const Case cases[] = {
        {-1, -1, {0, 0, 0}}, {1, 1, {0, 6, 0}}, {0, 1, {6, 3, 0}}, {-1, 2, {0, 0, 3}}, {2, 0, {3, 0, 6}},
    };
    for (const char* className : {"SysHeader32", "MSVB_LIB_Header"}) {
        test::TestWindow header(MakeHeader(className, {{"\xC3\xFB\xB3\xC6", 80}, {"", 60}, {"A", 70}}));
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(className) + " pressed " + std::to_string(c.pressed) + " hot " +
                         std::to_string(c.hot));
            SetIntProp(header.get(), kPropHeaderDownIndex, c.pressed);
            SetIntProp(header.get(), kPropHeaderHotIndex, c.hot);
            test::RepaintNow(header.get());
            auto shown = test::CaptureWindow(header.get());
            int right = 0;
            for (int i = 0; i < 3; ++i) {
                SCOPED_TRACE("item " + std::to_string(i));
                RECT r{};
                SendMessageA(header.get(), HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
                right = r.right;
                const int cell = c.cells[i];
                for (int y = 0; y < kHeaderHeight; ++y) {
                    EXPECT_EQ(ColourText(shown->At(r.left, y)), ColourText(SpriteAt(cell, y))) << "row " << y;
                    EXPECT_EQ(ColourText(shown->At(r.right - 1, y)), ColourText(SpriteAt(cell + 2, y))) << "row " << y;
                    if (i == 1) {  // no caption: the stretched middle column throughout
                        for (int x = r.left + 1; x < r.right - 1; ++x) {
                            ASSERT_EQ(ColourText(shown->At(x, y)), ColourText(SpriteAt(cell + 1, y))) << x << "," << y;
                        }
                    }
                }
                if (i != 1) {
                    int text = 0;
                    for (int y = 0; y < kHeaderHeight; ++y) {
                        for (int x = r.left + 1; x < r.right - 1; ++x) text += shown->At(x, y) != SpriteAt(cell + 1, y);
                    }
                    EXPECT_GT(text, 5) << "the caption is drawn";
                }
            }
            // Beyond the last item: the Normal face's body column, stretched.
            for (int y = 0; y < kHeaderHeight; ++y) {
                for (int x = right; x < kWidth; ++x) {
                    ASSERT_EQ(ColourText(shown->At(x, y)), ColourText(SpriteAt(1, y))) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(HeaderPaintTest, AHeaderWithoutItemsShowsOnlyItsBackground) {
    test::TestWindow header(MakeHeader("SysHeader32", {}));
    SetIntProp(header.get(), kPropHeaderHotIndex, 0);
    test::RepaintNow(header.get());
    auto shown = test::CaptureWindow(header.get());
    for (int y = 0; y < kHeaderHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_EQ(ColourText(shown->At(x, y)), ColourText(SpriteAt(1, y))) << x << "," << y;
        }
    }
}

TEST_F(HeaderPaintTest, ACaptionOfTheLongestLengthIsReadWhole) {
    // 255 characters: the control copies 255 and the terminating NUL.
    std::string caption(255, 'W');
    test::TestWindow header(MakeHeader("SysHeader32", {{caption.c_str(), 250}, {"", 10}}));
    EXPECT_EQ(ReadHeaderItemText(header.get(), 0), std::wstring(255, L'W'));
    EXPECT_EQ(ReadHeaderItemText(header.get(), 1), L"");
    EXPECT_EQ(ReadHeaderItemText(header.get(), 7), L"");
    test::RepaintNow(header.get());
    auto shown = test::CaptureWindow(header.get());
    int text = 0;
    for (int y = 0; y < kHeaderHeight; ++y) {
        for (int x = 1; x < 249; ++x) text += shown->At(x, y) != SpriteAt(1, y);
    }
    EXPECT_GT(text, 50);
}

}  // namespace
}  // namespace tarnwick
