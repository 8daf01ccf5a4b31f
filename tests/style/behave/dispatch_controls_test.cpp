// StyleWndProc on real controls of every interactive kind: combo-box hit
// areas, header items, toggles repainted after a release, windows that are
// not attached, the order of detaching on WM_DESTROY, and windows that
// appear later (a message box, a combo box's drop-down list).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "style/behave/attach.h"
#include "style/behave/combo_box.h"
#include "style/behave/header_control.h"
#include "style/model/control_kind.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/skin.h"
#include "tests/support/engine_windows.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::MousePoint;
using test::Prop;

class DispatchTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EnsureEngineTestClasses());
        test::ParkCursor();
    }
    void TearDown() override {
        for (HWND window : owned_) {
            if (IsWindow(window)) DestroyWindow(window);
        }
        test::DiscardInput();
        EXPECT_EQ(Engine().attachCount, 0);
    }
    test::EveryKindForm SkinnedForm() {
        test::EveryKindForm f = test::CreateEveryKindForm();
        owned_.push_back(f.form);
        EXPECT_EQ(SkinWindow(f.form), 1);
        test::DiscardInput();
        return f;
    }
    static void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        SendMessageA(window, message, wParam, lParam);
        test::DiscardInput();
    }
    // Closes a list that a press opened and ends the capture it took.
    static void CloseDropDown(HWND combo) {
        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        ReleaseCapture();
        test::DiscardInput();
    }

    std::vector<HWND> owned_;
};

TEST(DropButtonArea, BoundsAreInclusive) {
    // Window 110 x 24, scroll-bar width 17: x from 91 to 108, y from 2 to 22.
    const struct {
        int x, y;
        bool inside;
    } rows[] = {
        {91, 2, true},   {108, 22, true}, {100, 12, true}, {90, 12, false}, {109, 12, false},
        {100, 1, false}, {100, 23, false}, {10, 12, false}, {-5, 12, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "(" << row.x << ", " << row.y << ")");
        EXPECT_EQ(InDropButtonArea(row.x, row.y, 110, 24, 17), row.inside);
    }
}

TEST(HeaderItemSpans, APointOnADividerBelongsToTheLowerIndex) {
    const std::vector<RECT> items = {{0, 0, 60, 20}, {60, 0, 120, 20}, {120, 0, 180, 20}};
    const struct {
        int x, item;
    } rows[] = {{-1, -1}, {0, 0}, {59, 0}, {60, 0}, {61, 1}, {120, 1}, {121, 2}, {180, 2}, {181, -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.x);
        EXPECT_EQ(ItemAt(items, row.x), row.item);
    }
    EXPECT_EQ(ItemAt({}, 0), -1);
}

TEST_F(DispatchTest, EditableComboBoxCountsPressesOnItsDropButtonOnly) {
    test::EveryKindForm f = SkinnedForm();
    RECT box{};
    GetWindowRect(f.comboEdit, &box);
    const int w = box.right - box.left, h = box.bottom - box.top, b = GetSystemMetrics(SM_CXVSCROLL);
    const struct {
        const char* where;
        int x, y;
        LONG state;
    } rows[] = {
        {"text part", 10, h / 2, 0},
        {"left of the button", w - b - 3, h / 2, 0},
        {"button, top left", w - b - 2, 2, 2},
        {"button, bottom right", w - 2, h - 2, 2},
        {"right of the button", w - 1, h / 2, 0},
        {"below the button", w - 5, h - 1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.where);
        SetPropA(f.comboEdit, kPropOldState, nullptr);
        Send(f.comboEdit, WM_LBUTTONDOWN, MK_LBUTTON, MousePoint(row.x, row.y));
        EXPECT_EQ(Prop(f.comboEdit, kPropOldState), row.state);
        CloseDropDown(f.comboEdit);
    }

    // Moving: the text part leaves the button normal, the button lights up,
    // or shows pressed while the left button is held.
    const struct {
        const char* where;
        int x;
        WPARAM keys;
        LONG state;
    } moves[] = {
        {"onto the button", w - 8, 0, 1},
        {"onto the text", 10, 0, 0},
        {"onto the button, held", w - 8, MK_LBUTTON, 2},
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(move.where);
        Send(f.comboEdit, WM_MOUSEMOVE, move.keys, MousePoint(move.x, h / 2));
        EXPECT_EQ(Prop(f.comboEdit, kPropOldState), move.state);
        EXPECT_EQ(Prop(f.comboEdit, kPropMouseFlag), 1);
    }
    Send(f.comboEdit, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Prop(f.comboEdit, kPropOldState), 0);
    EXPECT_EQ(Prop(f.comboEdit, kPropMouseFlag), 0);
}

TEST_F(DispatchTest, HoverAndPressLookOfTogglesListsAndDriveLists) {
    test::EveryKindForm f = SkinnedForm();
    for (HWND window : {f.checkBox, f.option1, f.comboList, f.driveList}) {
        SCOPED_TRACE(test::ClassOfWindow(window));
        Send(window, WM_MOUSEMOVE, 0, MousePoint(5, 5));
        EXPECT_EQ(Prop(window, kPropOldState), 1) << "hot";
        EXPECT_EQ(Prop(window, kPropMouseFlag), 1);
        Send(window, WM_MOUSEMOVE, MK_LBUTTON, MousePoint(5, 5));
        EXPECT_EQ(Prop(window, kPropOldState), 2) << "pressed while held";
        Send(window, WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(Prop(window, kPropOldState), 0);
        EXPECT_EQ(Prop(window, kPropMouseFlag), 0);
    }
    for (HWND toggle : {f.checkBox, f.option1}) {
        SCOPED_TRACE(test::ClassOfWindow(toggle));
        Send(toggle, WM_KEYDOWN, 'A', 0);
        EXPECT_EQ(Prop(toggle, kPropOldState), 0) << "only the space key presses";
        Send(toggle, WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(Prop(toggle, kPropOldState), 2);
        Send(toggle, WM_KEYUP, VK_SPACE, 0);
        EXPECT_EQ(Prop(toggle, kPropOldState), 0);
    }
}

TEST_F(DispatchTest, HeaderTracksTheHotAndThePressedItem) {
    test::EveryKindForm f = SkinnedForm();
    HWND h = f.header;  // three items of 60 pixels: 0-60, 60-120, 120-180
    const struct {
        const char* event;
        UINT message;
        WPARAM keys;
        int x;
        LONG down, hot, mouseFlag;
    } steps[] = {
        {"move onto item 0", WM_MOUSEMOVE, 0, 30, -1, 0, 1},
        {"move onto the divider: still item 0", WM_MOUSEMOVE, 0, 60, -1, 0, 1},
        {"move onto item 1", WM_MOUSEMOVE, 0, 90, -1, 1, 1},
        {"press item 1", WM_LBUTTONDOWN, MK_LBUTTON, 90, 1, 1, 1},
        {"held move onto item 2: hot unchanged", WM_MOUSEMOVE, MK_LBUTTON, 150, 1, 1, 1},
        {"held move back onto item 1", WM_MOUSEMOVE, MK_LBUTTON, 90, 1, 1, 1},
        {"release", WM_LBUTTONUP, 0, 90, -1, 1, 1},
        {"double-click item 2", WM_LBUTTONDBLCLK, MK_LBUTTON, 150, 2, 1, 1},
        {"move onto item 2, held", WM_MOUSEMOVE, MK_LBUTTON, 150, 2, 1, 1},
        {"leave: both cleared", WM_MOUSELEAVE, 0, 0, -1, -1, 0},
        {"press the divider between items 0 and 1", WM_LBUTTONDOWN, MK_LBUTTON, 60, 0, -1, 0},
        {"release there", WM_LBUTTONUP, 0, 60, -1, -1, 0},
        {"press beyond the last item", WM_LBUTTONDOWN, MK_LBUTTON, 179 + 30, -1, -1, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.event);
        Send(h, step.message, step.keys, MousePoint(step.x, 5));
        if (step.message == WM_LBUTTONUP) ReleaseCapture();
        EXPECT_EQ(Prop(h, kPropHeaderDownIndex), step.down);
        EXPECT_EQ(Prop(h, kPropHeaderHotIndex), step.hot);
        EXPECT_EQ(Prop(h, kPropMouseFlag), step.mouseFlag);
    }
    ReleaseCapture();
    RECT item{};
    SendMessageA(h, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.right, 60) << "the divider press resized nothing";

    // A header without items presses and lights nothing.
    HWND empty = test::CreateTestChild(f.form, WC_HEADERA, "", HDS_HORZ, 0, 200, 200, 100, 20);
    ASSERT_EQ(AttachWindow(empty), 1);
    Send(empty, WM_LBUTTONDOWN, MK_LBUTTON, MousePoint(10, 5));
    Send(empty, WM_MOUSEMOVE, 0, MousePoint(10, 5));
    ReleaseCapture();
    EXPECT_EQ(Prop(empty, kPropHeaderDownIndex), -1);
    EXPECT_EQ(Prop(empty, kPropHeaderHotIndex), -1);
}

TEST_F(DispatchTest, ReleaseRepaintsEveryAttachedToggleUnderTheSameParent) {
    test::EveryKindForm f = SkinnedForm();
    // A toggle created after attaching is not attached: left alone.
    HWND late = test::CreateTestChild(f.form, test::kTestOptionClass, "late", BS_AUTORADIOBUTTON, 0, 200, 200, 80, 20);
    test::EveryKindForm other = SkinnedForm();
    const std::vector<HWND> toggles = {f.checkBox, f.option1, f.option2, late, other.option1};
    for (HWND toggle : toggles) SetPropA(toggle, kPropOldState, reinterpret_cast<HANDLE>(1));

    Send(f.option2, WM_LBUTTONDOWN, MK_LBUTTON, MousePoint(5, 5));
    Send(f.option2, WM_LBUTTONUP, 0, MousePoint(5, 5));
    EXPECT_EQ(SendMessageA(f.option2, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Prop(f.checkBox, kPropOldState), 0);
    EXPECT_EQ(Prop(f.option1, kPropOldState), 0);
    EXPECT_EQ(Prop(f.option2, kPropOldState), 0);
    EXPECT_EQ(Prop(late, kPropOldState), 1) << "not attached";
    EXPECT_EQ(Prop(other.option1, kPropOldState), 1) << "another parent";

    // Any kind's release does it, also a push button's.
    SetPropA(f.option1, kPropOldState, reinterpret_cast<HANDLE>(2));
    Send(f.pushButton, WM_LBUTTONUP, 0, MousePoint(500, 500));
    EXPECT_EQ(Prop(f.option1, kPropOldState), 0);
}

TEST_F(DispatchTest, DefaultButtonChangesKeepAButtonOwnerDrawn) {
    test::EveryKindForm f = SkinnedForm();
    const LONG style = GetWindowLongA(f.pushButton, GWL_STYLE) & ~BS_TYPEMASK;
    const struct {
        const char* asked;
        WPARAM type;
        LONG shown;
    } rows[] = {
        {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON, BS_OWNERDRAW},
        {"BS_PUSHBUTTON", BS_PUSHBUTTON, BS_OWNERDRAW},
        {"BS_DEFPUSHBUTTON again", BS_DEFPUSHBUTTON, BS_OWNERDRAW},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.asked);
        Send(f.pushButton, BM_SETSTYLE, row.type, TRUE);
        EXPECT_EQ(GetWindowLongA(f.pushButton, GWL_STYLE), style | row.shown);
        EXPECT_EQ(Prop(f.pushButton, kPropOldStyle), style | static_cast<LONG>(row.type));
    }
    // A check-box-styled button is the platform's: its style changes as asked.
    Send(f.checkStyled, BM_SETSTYLE, BS_CHECKBOX, TRUE);
    EXPECT_EQ(GetWindowLongA(f.checkStyled, GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);

    ASSERT_EQ(DetachWindow(f.form), 1);
    EXPECT_EQ(GetWindowLongA(f.pushButton, GWL_STYLE), style | BS_DEFPUSHBUTTON) << "the type last asked for";
}

// The state a clicked button showed, and whether it faded, when its click
// reached the form: a click handler may open a modal message box, and for
// as long as that is open the button is to look released.
LONG shownAtClick = -1, fadingAtClick = -1;
LRESULT CALLBACK ClickRecordingFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        shownAtClick = Prop(reinterpret_cast<HWND>(lParam), kPropOldState);
        fadingAtClick = Prop(reinterpret_cast<HWND>(lParam), kPropTimerId);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(DispatchTest, APushButtonIsReleasedBeforeItsClickIsReported) {
    ASSERT_TRUE(test::RegisterTestClass("ThunderFormDC", ClickRecordingFormProc));
    HWND form = test::CreateTestForm(20, 20, 200, 100, "ThunderFormDC");
    owned_.push_back(form);
    HWND button = test::CreateTestChild(form, "Button", "b", BS_PUSHBUTTON, 0, 10, 10, 80, 25);
    ASSERT_EQ(SkinWindow(form), 1);
    const struct {
        const char* by;
        UINT down, up;
        WPARAM downKeys, upKeys;
    } rows[] = {{"left button", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 0},
                {"space key", WM_KEYDOWN, WM_KEYUP, VK_SPACE, VK_SPACE},
                // Enter in a form clicks the focused push button with BM_CLICK.
                {"Enter", BM_CLICK, 0, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.by);
        shownAtClick = fadingAtClick = -1;
        Send(button, row.down, row.downKeys, MousePoint(5, 5));
        if (row.up != 0) Send(button, row.up, row.upKeys, MousePoint(5, 5));
        ReleaseCapture();
        EXPECT_EQ(shownAtClick, 0) << "released";
        EXPECT_EQ(fadingAtClick, 1) << "fading in the normal image";
    }
}

// The dialog manager gives the focus back to the control that had it when
// its window is activated again; the engine passes the activation on.
TEST_F(DispatchTest, TheFocusComesBackWhenTheWindowIsActivatedAgain) {
    HWND dialog = CreateWindowExA(0, "#32770", "dialog", WS_POPUP | WS_VISIBLE, 20, 20, 200, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    owned_.push_back(dialog);
    test::CreateTestChild(dialog, "Button", "a", BS_PUSHBUTTON | WS_TABSTOP, 0, 10, 10, 80, 25);
    HWND focused = test::CreateTestChild(dialog, "Button", "b", BS_PUSHBUTTON | WS_TABSTOP, 0, 100, 10, 80, 25);
    ASSERT_EQ(SkinWindow(dialog), 1);
    HWND other = test::CreateTestForm(260, 20, 100, 100, test::kTestFormClass, true);
    owned_.push_back(other);

    SetActiveWindow(dialog);
    SetFocus(focused);
    ASSERT_EQ(GetFocus(), focused);
    SetActiveWindow(other);
    ASSERT_NE(GetFocus(), focused);
    SetActiveWindow(dialog);
    test::DiscardInput();
    EXPECT_EQ(GetFocus(), focused);
    EXPECT_NE(Prop(focused, kPropProcAddr), 0);
}

// A window class whose procedure answers one private message with 4242,
// so that a test sees whether the message reached it.
constexpr UINT kProbeMessage = WM_USER + 7;
int probeCalls = 0;
LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbeMessage) {
        ++probeCalls;
        return 4242;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(DispatchTest, WindowsThatAreNotAttachedGetTheDefaultProcedure) {
    ASSERT_TRUE(test::RegisterTestClass("EngineProbe", ProbeProc));
    HWND probe = test::CreateTestForm(20, 20, 100, 50, "EngineProbe");
    owned_.push_back(probe);

    probeCalls = 0;
    EXPECT_EQ(StyleWndProc(probe, kProbeMessage, 0, 0), 0);
    EXPECT_EQ(StyleWndProc(probe, WM_GETTEXTLENGTH, 0, 0), 4) << "\"form\", from DefWindowProcA";
    EXPECT_EQ(probeCalls, 0);
    EXPECT_EQ(StyleWndProc(nullptr, kProbeMessage, 0, 0), 0);

    ASSERT_EQ(AttachWindow(probe), 1);
    EXPECT_EQ(SendMessageA(probe, kProbeMessage, 0, 0), 4242) << "attached: forwarded";
    EXPECT_EQ(probeCalls, 1);
    ASSERT_EQ(DetachWindow(probe), 1);
    EXPECT_EQ(StyleWndProc(probe, kProbeMessage, 0, 0), 0) << "detached: default again";
    EXPECT_EQ(probeCalls, 1);
}

// What a form's own procedure saw of its controls when WM_DESTROY reached it.
struct SeenAtDestroy {
    bool seen = false;
    bool formAttached = true;
    bool buttonAttached = true;
    LONG buttonStyle = 0;
    bool buttonHasRegion = true;
    int attachCount = -1;
};
SeenAtDestroy seenAtDestroy;
HWND destroyButton = nullptr;

LRESULT CALLBACK RecordingFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        seenAtDestroy.seen = true;
        seenAtDestroy.formAttached = GetPropA(window, kPropProcAddr) != nullptr;
        seenAtDestroy.buttonAttached = GetPropA(destroyButton, kPropProcAddr) != nullptr ||
                                       GetWindowLongA(destroyButton, GWL_WNDPROC) ==
                                           reinterpret_cast<LONG>(&StyleWndProc);
        seenAtDestroy.buttonStyle = GetWindowLongA(destroyButton, GWL_STYLE);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        seenAtDestroy.buttonHasRegion = GetWindowRgn(destroyButton, region) != ERROR;
        DeleteObject(region);
        seenAtDestroy.attachCount = Engine().attachCount;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(DispatchTest, DestroyingAFormDetachesItAndItsControlsFirst) {
    // "Form" is one of the form class names.
    ASSERT_TRUE(test::RegisterTestClass("Form", RecordingFormProc));
    HWND form = test::CreateTestForm(20, 20, 200, 100, "Form");
    owned_.push_back(form);
    destroyButton = test::CreateTestChild(form, "Button", "b", BS_PUSHBUTTON, 0, 10, 10, 80, 25);
    test::CreateTestChild(form, "Edit", "", 0, WS_EX_CLIENTEDGE, 10, 50, 80, 22);
    const LONG style = GetWindowLongA(destroyButton, GWL_STYLE);
    ASSERT_EQ(SkinWindow(form), 1);
    SendMessageA(destroyButton, WM_MOUSEMOVE, 0, MousePoint(3, 3));  // a fade running
    ASSERT_EQ(Prop(destroyButton, kPropTimerId), 1);

    seenAtDestroy = {};
    DestroyWindow(form);
    ASSERT_TRUE(seenAtDestroy.seen);
    EXPECT_FALSE(seenAtDestroy.formAttached);
    EXPECT_FALSE(seenAtDestroy.buttonAttached);
    EXPECT_EQ(seenAtDestroy.buttonStyle, style);
    EXPECT_FALSE(seenAtDestroy.buttonHasRegion);
    EXPECT_EQ(seenAtDestroy.attachCount, 0);
    EXPECT_EQ(Engine().buttonSprite, nullptr);
}

TEST_F(DispatchTest, AComboBoxListIsAttachedWhenItFirstAsksForColours) {
    test::EveryKindForm f = SkinnedForm();
    const int before = Engine().attachCount;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(f.comboList, &info));
    ASSERT_NE(info.hwndList, nullptr);
    EXPECT_EQ(Prop(info.hwndList, kPropProcAddr), 0) << "a popup, not a descendant of the form";

    SendMessageA(f.comboList, CB_SHOWDROPDOWN, TRUE, 0);
    UpdateWindow(info.hwndList);  // it paints and asks its combo box for colours
    EXPECT_NE(Prop(info.hwndList, kPropProcAddr), 0);
    EXPECT_EQ(ClassifyWindowHandle(info.hwndList), ControlKind::ComboList);
    EXPECT_EQ(Engine().attachCount, before + 1);
    CloseDropDown(f.comboList);
}

// The message box test: a timer of the test thread runs inside the box's
// modal loop, finds the box, notes what the engine did to it and closes it.
struct BoxSeen {
    HWND box = nullptr;
    LONG boxProc = 0;
    LONG buttonProc = 0;
    LONG buttonType = -1;
    int ticks = 0;
};
BoxSeen boxSeen;

BOOL CALLBACK FindBox(HWND window, LPARAM) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window)) {
        boxSeen.box = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK WatchForBox(HWND, UINT, UINT_PTR, DWORD) {
    ++boxSeen.ticks;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
    if (boxSeen.box == nullptr) {
        if (boxSeen.ticks > 200) PostQuitMessage(0);  // no box came: give up
        return;
    }
    if (GetPropA(boxSeen.box, kPropProcAddr) == nullptr && boxSeen.ticks < 200) return;
    boxSeen.boxProc = Prop(boxSeen.box, kPropProcAddr);
    HWND ok = GetDlgItem(boxSeen.box, IDOK);
    boxSeen.buttonProc = Prop(ok, kPropProcAddr);
    boxSeen.buttonType = GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK;
    PostMessageA(boxSeen.box, WM_COMMAND, IDOK, 0);
}

TEST_F(DispatchTest, AMessageBoxOfAnAttachedFormIsAttachedWithItsButton) {
    HWND form = test::CreateTestForm(40, 40, 300, 200, test::kTestFormClass, true);
    owned_.push_back(form);
    test::CreateTestChild(form, "Button", "b", BS_PUSHBUTTON, 0, 10, 10, 80, 25);
    ASSERT_EQ(SkinWindow(form), 1);
    const int formCount = Engine().attachCount;
    SetForegroundWindow(form);
    SetActiveWindow(form);
    ASSERT_EQ(GetActiveWindow(), form);

    boxSeen = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchForBox);
    MessageBoxA(form, "\xB9\xA7\xCF\xB2\xC4\xFA\xD0\xDE\xB8\xC4\xB3\xC9\xB9\xA6", "\xCF\xB5\xCD\xB3\xD0\xC5\xCF\xA2",
                MB_OK);
    KillTimer(nullptr, timer);
    ASSERT_NE(boxSeen.box, nullptr) << "no message box seen";
    EXPECT_NE(boxSeen.boxProc, 0) << "the box is attached through the owner's WM_ACTIVATE";
    EXPECT_NE(boxSeen.buttonProc, 0) << "and its button with it";
    EXPECT_EQ(boxSeen.buttonType, BS_OWNERDRAW);
    EXPECT_FALSE(IsWindow(boxSeen.box));
    EXPECT_EQ(Engine().attachCount, formCount) << "the closed box detached itself";
}

}  // namespace
}  // namespace tarnwick
