// A push button's WM_PAINT through its kind's handler: the image of the
// state it shows, opaque, with any fade ended; which states and saved
// styles show one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "style/behave/fade.h"
#include "style/model/button_properties.h"
#include "style/model/properties.h"
#include "style/paint/button_painter.h"
#include "tests/support/control_windows.h"
#include "tests/support/engine_windows.h"
#include "tests/support/painter_fixtures.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"
#include "tests/style/behave/dispatch_hook.h"

namespace tarnwick {
namespace {

using test::DibCanvas;

constexpr int kWidth = 75;
constexpr int kHeight = 23;

class PushButtonPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.reset(test::CreateHostWindow(40, 40, 200, 120));
        button_.reset(test::CreateTestChild(host_.get(), "Button", "\xC8\xB7\xC8\xCF", BS_PUSHBUTTON, 0, 10, 10,
                                            kWidth, kHeight));
        ASSERT_TRUE(button_);
        test::PumpMessages();
        images_ = std::make_unique<test::ButtonStateImages>(button_.get());
        RenderButtonStates(button_.get());
        // As attached: owner-drawn on the screen, the saved style a push button's.
        SendMessageA(button_.get(), BM_SETSTYLE, BS_OWNERDRAW, TRUE);
        SetIntProp(button_.get(), kPropOldStyle, BS_PUSHBUTTON);
        test::RoutePaintThroughKind(button_.get());
    }
    void TearDown() override { images_.reset(); }

    // A WM_PAINT that asks for the painting into the canvas.
    void PaintInto(const DibCanvas& canvas) {
        SendMessageA(button_.get(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    }

    test::SpriteScope sprites_;
    test::TestWindow host_;
    test::TestWindow button_;
    std::unique_ptr<test::ButtonStateImages> images_;
};

TEST_F(PushButtonPaintTest, ADisabledButtonShowsTheDisabledImageWhateverTheStoredState) {
    EnableWindow(button_.get(), FALSE);
    for (int state : {0, 1, 2, 3}) {
        SCOPED_TRACE(state);
        SetIntProp(button_.get(), kPropOldState, state);
        DibCanvas canvas(kWidth, kHeight);
        PaintInto(canvas);
        EXPECT_EQ(canvas.Pixels(), images_->Pixels(3));
        EXPECT_EQ(GetIntProp(button_.get(), kPropOldState), 3);
    }
}

TEST_F(PushButtonPaintTest, OnlyButtonsWhoseSavedStyleIsAPushButtonStyleArePainted) {
    struct Case {
        LONG style;
        bool painted;
    };
    // Only the bits 0x2 and 0x4 of the button type count, so types 8 and 9
    // pass as push buttons too.
    const Case cases[] = {
        {BS_PUSHBUTTON, true},   {BS_DEFPUSHBUTTON, true}, {BS_USERBUTTON, true},
        {BS_AUTORADIOBUTTON, true}, {BS_CHECKBOX, false},  {BS_AUTOCHECKBOX, false},
        {BS_RADIOBUTTON, false}, {BS_3STATE, false},       {BS_GROUPBOX, false},
        {BS_OWNERDRAW, false},   {BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, true},
        {BS_CHECKBOX | WS_TABSTOP, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("saved style " + std::to_string(c.style));
        SetIntProp(button_.get(), kPropOldStyle, c.style);
        SetIntProp(button_.get(), kPropOldState, 1);
        DibCanvas canvas(kWidth, kHeight);
        PaintInto(canvas);
        if (c.painted) {
            EXPECT_EQ(canvas.Pixels(), images_->Pixels(1));
        } else {
            EXPECT_EQ(canvas.CountInsideNot(0, 0, kWidth, kHeight, test::kMarker), 0);
        }
    }
}

TEST_F(PushButtonPaintTest, AStateWithoutAnImageDrawsNothing) {
    for (int state : {-1, 4, 255}) {
        SCOPED_TRACE(state);
        SetIntProp(button_.get(), kPropOldState, state);
        DibCanvas canvas(kWidth, kHeight);
        PaintInto(canvas);
        EXPECT_EQ(canvas.CountInsideNot(0, 0, kWidth, kHeight, test::kMarker), 0);
    }
}

TEST_F(PushButtonPaintTest, OwnerDrawnButtonStopsItsFadeAndShowsItsImageOpaque) {
    SetIntProp(button_.get(), kPropOldState, 1);
    SetIntProp(button_.get(), kPropAlphaLevel, 40);
    PushButtonProperties properties(button_.get());
    ASSERT_NE(StartFadeTimer(properties), 0u);
    properties.Store();

    test::RepaintNow(button_.get());
    EXPECT_EQ(GetIntProp(button_.get(), kPropTimerId), 0);
    EXPECT_EQ(GetIntProp(button_.get(), kPropAlphaLevel), 255);
    EXPECT_FALSE(KillTimer(button_.get(), kFadeTimerId)) << "the fade timer is gone";
    EXPECT_EQ(test::CaptureWindow(button_.get())->Pixels(), images_->Pixels(1));
}

TEST_F(PushButtonPaintTest, AButtonWithACheckBoxStyleIsPaintedByThePlatform) {
    auto make = [&](int y) {
        HWND button = test::CreateTestChild(host_.get(), "Button", "\xC8\xB7\xC8\xCF", BS_AUTOCHECKBOX, 0, 100, y,
                                            75, 23);
        SetIntProp(button, kPropOldStyle, static_cast<std::int32_t>(GetWindowLongA(button, GWL_STYLE)));
        return button;
    };
    test::TestWindow plain(make(10));
    test::TestWindow routed(make(40));
    test::RoutePaintThroughKind(routed.get());
    SetIntProp(routed.get(), kPropAlphaLevel, 40);
    test::RepaintNow(plain.get());
    test::RepaintNow(routed.get());
    EXPECT_EQ(test::CaptureWindow(routed.get())->Pixels(), test::CaptureWindow(plain.get())->Pixels());
    EXPECT_EQ(GetIntProp(routed.get(), kPropAlphaLevel), 40);
}

}  // namespace
}  // namespace tarnwick
