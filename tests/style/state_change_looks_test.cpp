// Every kind the engine draws shows the look of a state change at once: a
// disabled or enabled control, a check set from code, a button disabled
// while focused or while a fade runs, a window enabled while hidden. Each
// row starts after a hover fade has run to its end, which leaves a push
// button's opacity at 0. What the window shows straight after the change
// (no message pumped) must be what a full repaint draws, and, for changes
// of look, differ from what it showed before.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "style/engine_state.h"
#include "style/properties.h"
#include "style/skin.h"
#include "tests/support/control_windows.h"
#include "tests/support/engine_windows.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::EveryKindForm;

// Pixels that differ between two captures of one window, but for its four
// corner pixels: a push button's rounded region leaves them out of what is
// shown, and only a paint DC draws there under Wine.
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

// Hover in and out, each fade ticked to its end.
void HoverAndLeave(HWND window) {
    SendMessageA(window, WM_MOUSEMOVE, 0, test::MousePoint(3, 3));
    test::TickFadeToEnd(window);
    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    test::TickFadeToEnd(window);
    test::DiscardInput();
}

TEST(StateChangeLooks, EveryKindShowsItsNewStateAtOnce) {
    ASSERT_TRUE(test::EnsureEngineTestClasses());
    test::ParkCursor();
    using Pick = HWND EveryKindForm::*;
    using Change = std::function<void(HWND)>;
    const Change disable = [](HWND w) { EnableWindow(w, FALSE); };
    const Change enable = [](HWND w) { EnableWindow(w, TRUE); };
    const Change none = [](HWND) {};
    const struct Row {
        const char* what;
        Pick pick;
        Change before;  // after the fade, before the capture
        Change change;
        bool looksDifferent;
        bool pump;  // a change that the platform paints for later (showing)
    } rows[] = {
        {"push button disabled", &EveryKindForm::pushButton, none, disable, true, false},
        {"push button enabled", &EveryKindForm::pushButton, disable, enable, true, false},
        {"push button disabled while focused", &EveryKindForm::pushButton, [](HWND w) { SetFocus(w); }, disable,
         true, false},
        {"push button disabled while its fade runs", &EveryKindForm::vbButton,
         [](HWND w) { SendMessageA(w, WM_MOUSEMOVE, 0, test::MousePoint(3, 3)); }, disable, true, false},
        {"push button enabled while hidden, then shown", &EveryKindForm::pushButton,
         [](HWND w) {
             EnableWindow(w, FALSE);
             ShowWindow(w, SW_HIDE);
             test::PumpMessages();
         },
         [](HWND w) {
             EnableWindow(w, TRUE);
             ShowWindow(w, SW_SHOW);
         },
         false, true},
        {"check box disabled", &EveryKindForm::checkBox, none, disable, true, false},
        {"check box enabled", &EveryKindForm::checkBox, disable, enable, true, false},
        {"check box checked from code", &EveryKindForm::checkBox, none,
         [](HWND w) { SendMessageA(w, BM_SETCHECK, BST_CHECKED, 0); }, true, false},
        {"check box checked from code while disabled", &EveryKindForm::checkBox, disable,
         [](HWND w) { SendMessageA(w, BM_SETCHECK, BST_CHECKED, 0); }, true, false},
        {"check box pushed and released from code", &EveryKindForm::checkBox, none,
         [](HWND w) {
             SendMessageA(w, BM_SETSTATE, TRUE, 0);
             SendMessageA(w, BM_SETSTATE, FALSE, 0);
         },
         false, false},
        {"option button disabled", &EveryKindForm::option1, none, disable, true, false},
        {"option button enabled", &EveryKindForm::option1, disable, enable, true, false},
        {"option button checked from code", &EveryKindForm::option2, none,
         [](HWND w) { SendMessageA(w, BM_SETCHECK, BST_CHECKED, 0); }, true, false},
        {"drop-down list disabled", &EveryKindForm::comboList, none, disable, true, false},
        {"drop-down list enabled", &EveryKindForm::comboList, disable, enable, true, false},
        {"editable combo box disabled", &EveryKindForm::comboEdit, none, disable, true, false},
        {"drive list disabled", &EveryKindForm::driveList, none, disable, true, false},
        {"header disabled", &EveryKindForm::header, none, disable, false, false},
        {"header enabled", &EveryKindForm::header, disable, enable, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EveryKindForm f = test::CreateEveryKindForm();
        ASSERT_EQ(SkinWindow(f.form), 1);
        test::PumpMessages();
        HWND window = f.*row.pick;
        HoverAndLeave(window);
        row.before(window);
        test::DiscardInput();
        const auto before = test::CaptureWindow(window);

        row.change(window);
        if (row.pump) test::PumpMessages();
        test::DiscardInput();
        const auto after = test::CaptureWindow(window);
        test::RepaintNow(window);
        test::DiscardInput();
        const auto repainted = test::CaptureWindow(window);

        EXPECT_EQ(DifferingPixels(*after, *repainted), 0) << "shows what a repaint draws";
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
