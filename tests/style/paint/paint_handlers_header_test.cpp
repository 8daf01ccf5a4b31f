// Headers painted wholly by the engine: the stretched background and every
// item in its state, pressed before hot.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "style/behave/dispatch.h"
#include "style/draw/primitives.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/paint/header_painter.h"
#include "tests/support/control_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::ColourText;

constexpr int kHeight = 20;  // the sprite's height: no vertical scaling
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
                                      kHeight, host_.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
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
        test::RoutePaintMessages(header, HandlePaint, HandleNcPaint);
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
                for (int y = 0; y < kHeight; ++y) {
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
                    for (int y = 0; y < kHeight; ++y) {
                        for (int x = r.left + 1; x < r.right - 1; ++x) text += shown->At(x, y) != SpriteAt(cell + 1, y);
                    }
                    EXPECT_GT(text, 5) << "the caption is drawn";
                }
            }
            // Beyond the last item: the Normal face's body column, stretched.
            for (int y = 0; y < kHeight; ++y) {
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
    for (int y = 0; y < kHeight; ++y) {
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
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 1; x < 249; ++x) text += shown->At(x, y) != SpriteAt(1, y);
    }
    EXPECT_GT(text, 50);
}

}  // namespace
}  // namespace tarnwick
