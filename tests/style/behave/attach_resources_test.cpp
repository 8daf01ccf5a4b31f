// The engine gives back every GDI object it takes: many hover-and-fade
// cycles on a button, and many attach and detach cycles of a form with a
// control of every kind, leave no more live objects than one cycle did.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "style/behave/attach.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/skin.h"
#include "tests/support/engine_windows.h"
#include "tests/support/gdi_probe.h"

namespace tarnwick {
namespace {

class EngineResourcesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EnsureEngineTestClasses());
        test::ParkCursor();
    }
    void TearDown() override {
        test::DiscardInput();
        EXPECT_EQ(Engine().attachCount, 0);
    }
};

TEST_F(EngineResourcesTest, HoverAndFadeCyclesOnAButton) {
    HWND form = test::CreateTestForm(30, 30, 200, 100);
    HWND button = test::CreateTestChild(form, "Button", "确认", BS_PUSHBUTTON, 0, 20, 20, 97, 25);
    ASSERT_EQ(SkinWindow(form), 1);
    test::DiscardInput();
    // Enter (hot fade in, a few ticks), press and release (fade from 60, a
    // few ticks), leave (one blend at 140, then the normal image fades in
    // to the end), a paint.
    const auto cycle = [button] {
        SendMessageA(button, WM_MOUSEMOVE, 0, test::MousePoint(5, 5));
        for (int i = 0; i < 4; ++i) SendMessageA(button, WM_TIMER, 1, 0);
        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, test::MousePoint(5, 5));
        SendMessageA(button, WM_LBUTTONUP, 0, test::MousePoint(5, 5));
        for (int i = 0; i < 4; ++i) SendMessageA(button, WM_TIMER, 1, 0);
        SendMessageA(button, WM_MOUSELEAVE, 0, 0);
        test::TickFadeToEnd(button);
        InvalidateRect(button, nullptr, FALSE);
        UpdateWindow(button);
        test::DiscardInput();
    };
    std::string report;
    EXPECT_EQ(test::GdiGrowthOver(1000, cycle, &report), 0) << report;
    DestroyWindow(form);
}

TEST_F(EngineResourcesTest, AttachAndDetachCyclesOfAFormWithEveryKind) {
    test::EveryKindForm f = test::CreateEveryKindForm();
    const auto cycle = [&f] {
        SkinWindow(f.form);  // builds the sprites every time: detaching freed them
        SendMessageA(f.pushButton, WM_MOUSEMOVE, 0, test::MousePoint(5, 5));
        SetWindowPos(f.vbButton, nullptr, 0, 0, 80 + Engine().attachCount % 3, 25,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(f.header, WM_MOUSEMOVE, 0, test::MousePoint(70, 5));
        RedrawWindow(f.form, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        DetachWindow(f.form);
        test::DiscardInput();
    };
    std::string report;
    EXPECT_EQ(test::GdiGrowthOver(100, cycle, &report), 0) << report;
    EXPECT_EQ(Engine().buttonSprite, nullptr);
    DestroyWindow(f.form);
}

}  // namespace
}  // namespace tarnwick
