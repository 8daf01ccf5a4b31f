#include <gtest/gtest.h>

#include <vector>

#include "form/label.h"

namespace tarnwick {
namespace {

constexpr COLORREF kMarker = 0x00AAAAAA;

// A 32-bit top-down DIB section pre-filled with the marker colour.
class Canvas {
public:
    Canvas(int width, int height) : width_(width) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i) bits_[i] = 0x00AAAAAA;
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        DWORD p = bits_[y * width_ + x];  // 0x00RRGGBB in the DIB
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

TEST(Label, HitTestingFindsTheTopmostLabelAtAPoint) {
    // A wide bar with two smaller labels on top of it, and one apart.
    std::vector<Label> labels(4);
    labels[0].box = {0, 0, 100, 25};   // bar
    labels[1].box = {8, 8, 40, 17};    // above the bar, left
    labels[2].box = {70, 8, 30, 17};   // above the bar, right
    labels[3].box = {10, 40, 20, 10};  // apart
    struct Case {
        POINT point;
        int label;
    } cases[] = {
        {{0, 0}, 0},    {{60, 10}, 0},  {{99, 7}, 0},   {{8, 8}, 1},   {{47, 24}, 1}, {{48, 10}, 0},
        {{70, 8}, 2},   {{99, 24}, 2},  {{100, 10}, -1}, {{50, 25}, -1},
        {{10, 40}, 3},  {{30, 45}, -1}, {{-1, 5}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(LabelAt(labels, c.point), c.label);
    }
    EXPECT_EQ(LabelAt({}, POINT{1, 1}), -1);
}

TEST(Label, OpaqueLabelsFillExactlyTheirBoxTransparentOnesOnlyDrawText) {
    struct Case {
        bool transparent;
        const wchar_t* caption;
    } cases[] = {{false, L""}, {false, L"12"}, {true, L""}, {true, L"12"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "transparent " << c.transparent << " caption '" << testing::PrintToString(std::wstring(c.caption)) << "'");
        Canvas canvas(40, 30);
        Label label;
        label.box = {5, 6, 20, 15};
        label.caption = c.caption;
        label.foreColour = 0x00000000;
        label.backColour = 0x000000FF;
        label.transparent = c.transparent;
        DrawLabel(canvas.Dc(), label, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));

        int outsideChanged = 0, back = 0, text = 0, marker = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                COLORREF p = canvas.At(x, y);
                if (!label.box.Contains(x, y)) {
                    if (p != kMarker) ++outsideChanged;
                } else if (p == 0x000000FF) {
                    ++back;
                } else if (p == kMarker) {
                    ++marker;
                } else {
                    ++text;
                }
            }
        }
        EXPECT_EQ(outsideChanged, 0) << "drawn outside the box";
        if (c.transparent) {
            EXPECT_EQ(back, 0);
        } else {
            EXPECT_EQ(marker, 0) << "an opaque label covers its whole box";
        }
        if (*c.caption) {
            EXPECT_GT(text, 0);
        } else {
            EXPECT_EQ(text, 0);
        }
    }
}

TEST(Label, SystemColoursAreResolvedWhenDrawn) {
    EXPECT_EQ(ResolveColour(SystemColour(COLOR_BTNFACE)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ResolveColour(SystemColour(COLOR_HIGHLIGHT)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ResolveColour(0x0000FF00), 0x0000FF00u);
}

}  // namespace
}  // namespace tarnwick
