// Push-button states through a run of real messages: hover, press,
// release, space key, focus and enabling, with the fade advanced by sent
// WM_TIMER ticks. Input the platform queues on its own (real cursor moves,
// leave notifications, real timer ticks) is discarded unseen, so every step
// is driven by the test alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "style/behave/fade.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/skin.h"
#include "tests/support/engine_windows.h"
#include "tests/support/pixels.h"

namespace tarnwick {
namespace {

using test::Prop;

struct ButtonState {
    LONG mouseFlag;
    LONG oldState;
    LONG alphaLevel;
    LONG timerId;
};

bool operator==(const ButtonState& a, const ButtonState& b) {
    return a.mouseFlag == b.mouseFlag && a.oldState == b.oldState && a.alphaLevel == b.alphaLevel &&
           a.timerId == b.timerId;
}

std::ostream& operator<<(std::ostream& out, const ButtonState& s) {
    return out << "{MOUSEFLAG " << s.mouseFlag << ", OLDSTATE " << s.oldState << ", ALPHALEVEL " << s.alphaLevel
               << ", TIMERID " << s.timerId << "}";
}

ButtonState StateOf(HWND button) {
    return {Prop(button, kPropMouseFlag), Prop(button, kPropOldState), Prop(button, kPropAlphaLevel),
            Prop(button, kPropTimerId)};
}

// Pixels of the button's window area against one of its state images:
// how many differ.
int DifferingPixels(HWND button, int state) {
    RECT box{};
    GetWindowRect(button, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    HDC windowDc = GetWindowDC(button);
    HDC image = reinterpret_cast<HDC>(GetPropA(button, StateImageDcProp(state)));
    int differing = 0;
    // The rounded corners are outside the window's region; skip them.
    for (int y = 2; y < height - 2; ++y) {
        for (int x = 2; x < width - 2; ++x) {
            if (GetPixel(windowDc, x, y) != GetPixel(image, x, y)) ++differing;
        }
    }
    ReleaseDC(button, windowDc);
    return differing;
}

class ButtonFadeTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EnsureEngineTestClasses());
        test::ParkCursor();
        form_ = test::CreateTestForm(30, 30, 220, 120);
        button_ = test::CreateTestChild(form_, "Button", "确认", BS_PUSHBUTTON | WS_TABSTOP, 0, 20, 20, 97, 25);
        other_ = test::CreateTestChild(form_, "Edit", "", 0, WS_EX_CLIENTEDGE, 20, 60, 80, 22);
        ASSERT_EQ(SkinWindow(form_), 1);
        test::DiscardInput();
    }
    void TearDown() override {
        DestroyWindow(form_);
        test::DiscardInput();
        EXPECT_EQ(Engine().attachCount, 0);
    }

    void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        SendMessageA(button_, message, wParam, lParam);
        test::DiscardInput();
    }

    HWND form_ = nullptr;
    HWND button_ = nullptr;
    HWND other_ = nullptr;
};

TEST_F(ButtonFadeTest, StateTableThroughHoverPressReleaseAndKeys) {
    const LPARAM inside = test::MousePoint(10, 10);
    enum class Cursor { Away, OnButton };
    const struct Step {
        const char* event;
        Cursor cursor;
        UINT message;
        WPARAM wParam;
        ButtonState expected;
    } steps[] = {
        {"first move: entering, the hot image fades in from 0", Cursor::OnButton, WM_MOUSEMOVE, 0, {1, 1, 0, 1}},
        {"second move over the button: nothing", Cursor::OnButton, WM_MOUSEMOVE, 0, {1, 1, 0, 1}},
        {"tick", Cursor::OnButton, WM_TIMER, 1, {1, 1, 3, 1}},
        {"tick with another timer id", Cursor::OnButton, WM_TIMER, 7, {1, 1, 6, 1}},
        {"left button down: pressed image at once", Cursor::OnButton, WM_LBUTTONDOWN, MK_LBUTTON, {1, 2, 0, 0}},
        {"held move over the button: nothing", Cursor::OnButton, WM_MOUSEMOVE, MK_LBUTTON, {1, 2, 0, 0}},
        {"held move, cursor gone (captured): opaque", Cursor::Away, WM_MOUSEMOVE, MK_LBUTTON, {1, 2, 255, 0}},
        {"left button up: normal image fades in from 60", Cursor::OnButton, WM_LBUTTONUP, 0, {0, 0, 60, 1}},
        {"move after the release counts as entering", Cursor::OnButton, WM_MOUSEMOVE, 0, {1, 1, 0, 1}},
        {"leave: fade from 0 goes on with the running timer", Cursor::Away, WM_MOUSELEAVE, 0, {0, 0, 0, 1}},
        {"space down: pressed", Cursor::Away, WM_KEYDOWN, VK_SPACE, {0, 2, 0, 0}},
        {"another key down: nothing", Cursor::Away, WM_KEYDOWN, 'A', {0, 2, 0, 0}},
        {"another key up: nothing", Cursor::Away, WM_KEYUP, 'A', {0, 2, 0, 0}},
        {"space up: normal image fades in from 0", Cursor::Away, WM_KEYUP, VK_SPACE, {0, 0, 0, 1}},
        {"double-click: pressed", Cursor::OnButton, WM_LBUTTONDBLCLK, MK_LBUTTON, {0, 2, 0, 0}},
        {"release", Cursor::OnButton, WM_LBUTTONUP, 0, {0, 0, 60, 1}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.event);
        if (step.cursor == Cursor::OnButton) {
            test::PointCursorAt(button_);
        } else {
            test::ParkCursor();
        }
        const bool mouse = step.message >= WM_MOUSEFIRST && step.message <= WM_MOUSELAST;
        Send(step.message, step.wParam, mouse ? inside : 0);
        EXPECT_EQ(StateOf(button_), step.expected);
        if (step.message == WM_LBUTTONDOWN || step.message == WM_KEYDOWN) {
            if (step.wParam != 'A') EXPECT_EQ(DifferingPixels(button_, 2), 0) << "pressed image shown opaque";
        }
    }
    test::ParkCursor();
}

TEST_F(ButtonFadeTest, FadesTake86TicksFrom0And66From60) {
    const struct {
        const char* start;
        UINT message;
        WPARAM wParam;
        int ticks;
    } rows[] = {
        {"entering", WM_MOUSEMOVE, 0, 86},
        {"leaving", WM_MOUSELEAVE, 0, 86},
        {"left-button release", WM_LBUTTONUP, 0, 66},
        {"space release", WM_KEYUP, VK_SPACE, 86},
        {"focus gained", WM_SETFOCUS, 0, 86},
        {"focus lost", WM_KILLFOCUS, 0, 86},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.start);
        SetPropA(button_, kPropMouseFlag, nullptr);
        Send(row.message, row.wParam);
        ASSERT_EQ(Prop(button_, kPropTimerId), 1);
        EXPECT_EQ(test::TickFadeToEnd(button_), row.ticks);
        EXPECT_EQ(Prop(button_, kPropAlphaLevel), 0) << "back to 0 after the last blend";
        EXPECT_EQ(Prop(button_, kPropTimerId), 0);
    }
    // The fade's levels: each tick adds 3 until the step passes 255.
    int level = 0, blends = 1;
    for (FadeStep step = NextFadeLevel(level); !step.finished; step = NextFadeLevel(step.level)) ++blends;
    EXPECT_EQ(blends, 86);
    EXPECT_EQ(NextFadeLevel(252).level, 255);
    EXPECT_FALSE(NextFadeLevel(252).finished);
    EXPECT_TRUE(NextFadeLevel(253).finished);
    EXPECT_EQ(NextFadeLevel(253).level, 0);
}

TEST_F(ButtonFadeTest, AFadeEndsInTheStateImage) {
    // Hover in, then out: after the fade the normal image is on the screen.
    Send(WM_MOUSEMOVE, 0, test::MousePoint(5, 5));
    test::TickFadeToEnd(button_);
    EXPECT_EQ(DifferingPixels(button_, 1), 0) << "hot image after the fade in";
    Send(WM_MOUSELEAVE);
    test::TickFadeToEnd(button_);
    EXPECT_EQ(DifferingPixels(button_, 0), 0) << "normal image after the fade out";
    EXPECT_GT(DifferingPixels(button_, 2), 0) << "the pressed image looks different";
}

TEST_F(ButtonFadeTest, APaintEndsAFadeOpaqueAndLaterBlendsStayOpaque) {
    Send(WM_MOUSEMOVE, 0, test::MousePoint(5, 5));
    Send(WM_TIMER, 1);
    ASSERT_EQ(Prop(button_, kPropTimerId), 1);
    InvalidateRect(button_, nullptr, FALSE);
    UpdateWindow(button_);
    test::DiscardInput();
    EXPECT_EQ(StateOf(button_), (ButtonState{1, 1, 255, 0}));
    EXPECT_EQ(DifferingPixels(button_, 1), 0);

    EnableWindow(button_, FALSE);
    test::DiscardInput();
    EXPECT_EQ(StateOf(button_), (ButtonState{1, 3, 255, 0})) << "disabling: one blend at the current opacity";
    EXPECT_EQ(DifferingPixels(button_, 3), 0) << "drawn opaque at once";
    EnableWindow(button_, TRUE);
    test::DiscardInput();
    EXPECT_EQ(Prop(button_, kPropOldState), 0);
    EXPECT_EQ(DifferingPixels(button_, 0), 0);
}

TEST_F(ButtonFadeTest, ResizingRemakesTheImagesAndTheRegion) {
    SetWindowPos(button_, nullptr, 0, 0, 120, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    test::DiscardInput();
    for (int state = 0; state < 4; ++state) {
        SCOPED_TRACE(state);
        HDC image = reinterpret_cast<HDC>(GetPropA(button_, StateImageDcProp(state)));
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(GetPropA(button_, StateImageBitmapProp(state)));
        EXPECT_EQ(GetCurrentObject(image, OBJ_BITMAP), bitmap);
        BITMAP info{};
        ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, 120);
        EXPECT_EQ(info.bmHeight, 30);
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(button_, region), ERROR);
    RECT bounds{};
    GetRgnBox(region, &bounds);
    DeleteObject(region);
    EXPECT_EQ(bounds.right, 120);
    EXPECT_EQ(bounds.bottom, 30);
}

}  // namespace
}  // namespace tarnwick
