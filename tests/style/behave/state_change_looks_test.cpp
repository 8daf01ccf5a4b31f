// Each kind shows a change of state at once, also after a hover fade has
// run out (which leaves a push button's opacity at 0): straight after the
// change, with no message pumped, the window shows what a full repaint
// draws, and a change of look shows.
#include <windows.h>

#include <gtest/gtest.h>

#include "style/model/engine_state.h"
#include "style/skin.h"
#include "tests/support/control_windows.h"
#include "tests/support/engine_windows.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::EveryKindForm;

// Differing pixels of two captures of one window, its four corner pixels
// left out: a push button's rounded region hides them, and under Wine only
// a paint DC draws there.
int DifferingPixels(const test::DibCanvas& a, const test::DibCanvas& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const bool corner = (x == 0 || x == a.width() - 1) && (y == 0 || y == a.height() - 1);
            differing += !corner && a.At(x, y) != b.At(x, y);
        }
    }
    return differing;
}

TEST(StateChangeLooks, EveryKindShowsItsNewStateAtOnce) {
    ASSERT_TRUE(test::EnsureEngineTestClasses());
    test::ParkCursor();
    using Change = void (*)(HWND);
    const Change none = [](HWND) {}, disable = [](HWND w) { EnableWindow(w, FALSE); },
                 enable = [](HWND w) { EnableWindow(w, TRUE); }, focus = [](HWND w) { SetFocus(w); },
                 check = [](HWND w) { SendMessageA(w, BM_SETCHECK, BST_CHECKED, 0); };
    const Change startFade = [](HWND w) { SendMessageA(w, WM_MOUSEMOVE, 0, test::MousePoint(3, 3)); };
    const Change hideDisabled = [](HWND w) { EnableWindow(w, FALSE); ShowWindow(w, SW_HIDE); };
    // A shown window is painted through WM_PAINT, which is let through.
    const Change enableAndShow = [](HWND w) { EnableWindow(w, TRUE); ShowWindow(w, SW_SHOW); test::PumpMessages(); };
    const Change pushAndRelease = [](HWND w) {
        SendMessageA(w, BM_SETSTATE, TRUE, 0);
        SendMessageA(w, BM_SETSTATE, FALSE, 0);
    };
    const struct {
        const char* what;
        HWND EveryKindForm::*pick;
        Change before, change;
        bool looksDifferent;
    } rows[] = {
        {"push button disabled", &EveryKindForm::pushButton, none, disable, true},
        {"push button enabled", &EveryKindForm::pushButton, disable, enable, true},
        {"push button disabled while focused", &EveryKindForm::pushButton, focus, disable, true},
        {"push button disabled while fading", &EveryKindForm::vbButton, startFade, disable, true},
        {"push button enabled while hidden, then shown", &EveryKindForm::pushButton, hideDisabled, enableAndShow, false},
        {"check box disabled", &EveryKindForm::checkBox, none, disable, true},
        {"check box enabled", &EveryKindForm::checkBox, disable, enable, true},
        {"check box checked from code", &EveryKindForm::checkBox, none, check, true},
        {"check box pushed and released from code", &EveryKindForm::checkBox, none, pushAndRelease, false},
        {"option button disabled", &EveryKindForm::option1, none, disable, true},
        {"option button checked from code", &EveryKindForm::option2, none, check, true},
        {"drop-down list enabled", &EveryKindForm::comboList, disable, enable, true},
        {"editable combo box disabled", &EveryKindForm::comboEdit, none, disable, true},
        {"drive list disabled", &EveryKindForm::driveList, none, disable, true},
        {"header disabled", &EveryKindForm::header, none, disable, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EveryKindForm f = test::CreateEveryKindForm();
        ASSERT_EQ(SkinWindow(f.form), 1);
        test::PumpMessages();
        HWND window = f.*row.pick;
        SendMessageA(window, WM_MOUSEMOVE, 0, test::MousePoint(3, 3));
        test::TickFadeToEnd(window);
        SendMessageA(window, WM_MOUSELEAVE, 0, 0);
        test::TickFadeToEnd(window);
        row.before(window);
        test::DiscardInput();
        const auto before = test::CaptureWindow(window);
        row.change(window);
        test::DiscardInput();
        const auto after = test::CaptureWindow(window);
        test::RepaintNow(window);
        test::DiscardInput();
        EXPECT_EQ(DifferingPixels(*after, *test::CaptureWindow(window)), 0) << "shows what a repaint draws";
        if (row.looksDifferent) {
            EXPECT_GT(DifferingPixels(*before, *after), 0) << "the look changed";
        }
        DestroyWindow(f.form);
        test::DiscardInput();
    }
    EXPECT_EQ(Engine().attachCount, 0);
}

}  // namespace
}  // namespace tarnwick
