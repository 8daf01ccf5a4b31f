// The three windows' layouts at 96 dpi (15 twips per pixel) against the
// pixel sizes they are designed for.
#include <gtest/gtest.h>

#include <vector>

#include "app/main_layout.h"
#include "app/message_dialog.h"
#include "notice/notice_window.h"

namespace tarnwick {
namespace {

using namespace main_layout;

constexpr double kTwipsAt96Dpi = 15;

Box Px(const Box& twips) { return TwipsToPixels(twips, kTwipsAt96Dpi); }

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

TEST(MainLayout, ItemsSitAtTheirDesignedPixels) {
    EXPECT_EQ(TwipsToPixels(kClientWidth, kTwipsAt96Dpi), 514);
    EXPECT_EQ(TwipsToPixels(kClientHeight, kTwipsAt96Dpi), 292);
    struct Case {
        const char* name;
        Box twips;
        Box pixels;
    } cases[] = {
        {"移动", kDragBand, {0, 16, 513, 57}},     {"信息", kStatus, {32, 96, 465, 25}},
        {"ConfirmButton", kConfirmButtonBox, {224, 248, 89, 25}}, {"RestoreButton", kRestoreButtonBox, {320, 248, 89, 25}},
        {"ExitButton", kExitButtonBox, {416, 248, 89, 25}}, {"验证", kHiddenFieldBox, {32, 248, 137, 25}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Px(c.twips), c.pixels);
    }
}

TEST(MainLayout, FieldsAndTheirLabelsFollowTheGrid) {
    // Field left and top, label left and top, in pixels.
    const int grid[kFieldCount][4] = {
        {72, 120, 32, 123},  {176, 120, 136, 123}, {280, 120, 240, 123}, {384, 120, 344, 123},
        {72, 144, 32, 147},  {72, 176, 32, 179},   {176, 176, 136, 179}, {280, 176, 240, 179},
        {384, 176, 344, 179}, {72, 200, 32, 203},  {176, 200, 136, 203}, {280, 200, 240, 203},
        {384, 200, 344, 203}, {72, 224, 32, 227},  {176, 224, 136, 227},
    };
    for (int i = 0; i < kFieldCount; ++i) {
        SCOPED_TRACE(i);
        Box field = Px(FieldBox(i)), label = Px(FieldLabelBox(i));
        EXPECT_EQ(field, (Box{grid[i][0], grid[i][1], 49, 20}));
        EXPECT_EQ(label, (Box{grid[i][2], grid[i][3], 49, 25}));
        // The right 9 pixels of the label lie under the field's left edge.
        EXPECT_EQ(label.Right() - field.left, 9);
        EXPECT_EQ(label.top - field.top, 3);
    }
}

TEST(MainLayout, NoTwoFieldsOrButtonsOverlap) {
    std::vector<Box> windows;
    for (int i = 0; i < kFieldCount; ++i) windows.push_back(Px(FieldBox(i)));
    windows.push_back(Px(kConfirmButtonBox));
    windows.push_back(Px(kRestoreButtonBox));
    windows.push_back(Px(kExitButtonBox));
    for (size_t a = 0; a < windows.size(); ++a) {
        for (size_t b = a + 1; b < windows.size(); ++b) {
            SCOPED_TRACE(testing::Message() << a << " and " << b);
            EXPECT_FALSE(Overlap(windows[a], windows[b]));
        }
    }
    // Every item lies inside the 514 x 292 client area.
    for (const Box& box : windows) {
        EXPECT_GE(box.left, 0);
        EXPECT_LE(box.Right(), 514);
        EXPECT_LE(box.Bottom(), 292);
    }
}

TEST(NoticeAndDialogLayout, DesignedSizesInPixels) {
    EXPECT_EQ(TwipsToPixels(notice_layout::kClientWidth, kTwipsAt96Dpi), 333);
    EXPECT_EQ(TwipsToPixels(notice_layout::kClientHeight, kTwipsAt96Dpi), 200);
    EXPECT_EQ(Px(notice_layout::kDontShowAgainBox), (Box{16, 104, 145, 17}));
    // The outline's bottom edge is the window's last pixel row.
    EXPECT_EQ(Px(notice_layout::kOutlineBox), (Box{0, 0, 333, 200}));
    EXPECT_EQ(TwipsToPixels(message_dialog_layout::kClientWidth, kTwipsAt96Dpi), 273);
    EXPECT_EQ(TwipsToPixels(message_dialog_layout::kClientHeight, kTwipsAt96Dpi), 80);
    EXPECT_EQ(Px(message_dialog_layout::kTextBox), (Box{16, 16, 249, 33}));
    EXPECT_EQ(Px(message_dialog_layout::kConfirmButtonBox), (Box{88, 48, 97, 25}));
}

}  // namespace
}  // namespace tarnwick
