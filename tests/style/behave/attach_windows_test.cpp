// Attaching forms with controls of every kind to the engine, and detaching
// them again: what each kind carries while attached, that detaching undoes
// it exactly, and that the engine starts afresh when its last window goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "style/behave/attach.h"
#include "style/model/control_kind.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/skin.h"
#include "tests/support/engine_windows.h"
#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

using test::Prop;

const std::set<std::string> kEngineProps = {
    "PROCADDR", "OLDSTYLE", "MOUSEFLAG", "TIMERID", "OLDSTATE", "ALPHALEVEL", "HDC0", "HDC1",
    "HDC2",     "HDC3",     "BMP0",      "BMP1",    "BMP2",     "BMP3",       "HDINDEX", "HMINDEX"};

BOOL CALLBACK CollectProp(HWND, LPSTR name, HANDLE, ULONG_PTR names) {
    if (HIWORD(reinterpret_cast<UINT_PTR>(name)) != 0) {
        reinterpret_cast<std::set<std::string>*>(names)->insert(name);
    }
    return TRUE;
}

// The engine's properties that the window carries (present, whatever value).
std::set<std::string> EnginePropsOf(HWND window) {
    std::set<std::string> all;
    EnumPropsExA(window, CollectProp, reinterpret_cast<LPARAM>(&all));
    std::set<std::string> engine;
    for (const std::string& name : all) {
        if (kEngineProps.count(name) != 0) engine.insert(name);
    }
    return engine;
}

// In the window's own character set, as the engine subclasses it.
WNDPROC ProcOf(HWND window) {
    return reinterpret_cast<WNDPROC>(IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                             : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

bool HasRegion(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int type = GetWindowRgn(window, region);
    DeleteObject(region);
    return type != ERROR;
}

class AttachTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EnsureEngineTestClasses());
        ASSERT_EQ(Engine().attachCount, 0) << "a test before left windows attached";
        test::ParkCursor();
    }
    void TearDown() override {
        for (HWND window : owned_) {
            if (IsWindow(window)) DestroyWindow(window);
        }
        test::DiscardInput();
        EXPECT_EQ(Engine().attachCount, 0);
        EXPECT_FALSE(Engine().initialised);
    }
    HWND Own(HWND window) {
        owned_.push_back(window);
        return window;
    }

    std::vector<HWND> owned_;
};

TEST_F(AttachTest, SkinWindowAttachesAFormWithAllItsDescendantsOnce) {
    test::EveryKindForm f = test::CreateEveryKindForm();
    Own(f.form);
    const int descendants = f.DescendantCount();
    ASSERT_GE(descendants, static_cast<int>(f.Controls().size()));
    std::map<HWND, WNDPROC> before;
    for (HWND control : f.Controls()) before[control] = ProcOf(control);

    EXPECT_EQ(SkinWindow(f.form), 1);
    EXPECT_TRUE(Engine().initialised);
    EXPECT_TRUE(Engine().trackMouseFromUser32) << "user32 exports TrackMouseEvent";
    EXPECT_NE(Engine().buttonSprite, nullptr);
    EXPECT_NE(Engine().headerSprite, nullptr);
    EXPECT_EQ(Engine().attachCount, descendants + 1) << "the count counts windows, not forms";
    for (HWND control : f.Controls()) {
        SCOPED_TRACE(test::ClassOfWindow(control));
        EXPECT_EQ(ProcOf(control), &StyleWndProc);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(Prop(control, kPropProcAddr)), before[control]);
    }
    EXPECT_EQ(ProcOf(f.form), &StyleWndProc);

    EXPECT_EQ(SkinWindow(f.form), 0);
    EXPECT_EQ(Engine().attachCount, descendants + 1);
    for (HWND control : f.Controls()) {
        EXPECT_EQ(reinterpret_cast<WNDPROC>(Prop(control, kPropProcAddr)), before[control]);
    }
}

TEST_F(AttachTest, EachKindCarriesItsPropertiesWhileAttached) {
    test::EveryKindForm f = test::CreateEveryKindForm();
    Own(f.form);
    const LONG pushStyle = GetWindowLongA(f.pushButton, GWL_STYLE);
    ASSERT_EQ(SkinWindow(f.form), 1);

    const std::set<std::string> button = {"PROCADDR", "OLDSTYLE", "MOUSEFLAG", "TIMERID", "OLDSTATE", "ALPHALEVEL",
                                          "HDC0",     "HDC1",     "HDC2",      "HDC3",    "BMP0",     "BMP1",
                                          "BMP2",     "BMP3"};
    const std::set<std::string> hover = {"PROCADDR", "MOUSEFLAG", "OLDSTATE"};
    const std::set<std::string> header = {"PROCADDR", "MOUSEFLAG", "HDINDEX", "HMINDEX"};
    const std::set<std::string> plain = {"PROCADDR"};
    const struct {
        HWND window;
        ControlKind kind;
        std::set<std::string> props;
    } rows[] = {
        {f.form, ControlKind::Form, plain},
        {f.pushButton, ControlKind::PushButton, button},
        {f.vbButton, ControlKind::PushButton, button},
        {f.checkStyled, ControlKind::PushButton, button},
        {f.checkBox, ControlKind::CheckBox, hover},
        {f.option1, ControlKind::OptionButton, hover},
        {f.comboEdit, ControlKind::ComboBox, hover},
        {f.comboList, ControlKind::ComboBox, hover},
        {f.driveList, ControlKind::DriveList, hover},
        {f.progress, ControlKind::ProgressBar, plain},
        {f.header, ControlKind::Header, header},
        {f.vbHeader, ControlKind::Header, header},
        {f.dataList, ControlKind::DataList, plain},
        {f.grid, ControlKind::Grid, plain},
        {f.edit, ControlKind::Other, plain},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(test::ClassOfWindow(row.window));
        EXPECT_EQ(ClassifyWindowHandle(row.window), row.kind);
        EXPECT_EQ(EnginePropsOf(row.window), row.props);
    }

    EXPECT_EQ(Prop(f.header, kPropHeaderDownIndex), -1);
    EXPECT_EQ(Prop(f.header, kPropHeaderHotIndex), -1);
    EXPECT_EQ(Prop(f.pushButton, kPropOldStyle), pushStyle);
    EXPECT_EQ(GetWindowLongA(f.pushButton, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    RECT box{};
    GetWindowRect(f.pushButton, &box);
    for (int state = 0; state < 4; ++state) {
        SCOPED_TRACE(state);
        HDC image = reinterpret_cast<HDC>(GetPropA(f.pushButton, StateImageDcProp(state)));
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(GetPropA(f.pushButton, StateImageBitmapProp(state)));
        ASSERT_EQ(GetObjectType(image), static_cast<DWORD>(OBJ_MEMDC));
        EXPECT_EQ(GetCurrentObject(image, OBJ_BITMAP), bitmap) << "BMPn is the bitmap selected into HDCn";
        BITMAP info{};
        ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, box.right - box.left);
        EXPECT_EQ(info.bmHeight, box.bottom - box.top);
    }
    EXPECT_TRUE(HasRegion(f.pushButton));
    EXPECT_FALSE(HasRegion(f.edit));
}

TEST_F(AttachTest, ButtonStylesDecideOwnerDrawButEveryButtonIsShaped) {
    const struct {
        const char* name;
        LONG type;
        bool ownerDrawn;
    } rows[] = {
        {"BS_PUSHBUTTON", BS_PUSHBUTTON, true},   {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON, true},
        {"BS_CHECKBOX", BS_CHECKBOX, false},      {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX, false},
        {"BS_RADIOBUTTON", BS_RADIOBUTTON, false}, {"BS_3STATE", BS_3STATE, false},
        {"BS_GROUPBOX", BS_GROUPBOX, false},      {"BS_USERBUTTON", BS_USERBUTTON, true},
        {"BS_OWNERDRAW", BS_OWNERDRAW, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        HWND form = Own(test::CreateTestForm(20, 20, 200, 100));
        HWND button = test::CreateTestChild(form, "Button", "b", row.type | WS_TABSTOP | BS_MULTILINE, 0, 10, 10, 90, 30);
        const LONG style = GetWindowLongA(button, GWL_STYLE);
        const WNDPROC proc = ProcOf(button);
        ASSERT_EQ(SkinWindow(form), 1);

        EXPECT_EQ(ProcOf(button), &StyleWndProc) << "subclassed whatever its style";
        EXPECT_TRUE(HasRegion(button)) << "shaped whatever its style";
        EXPECT_EQ(Prop(button, kPropOldStyle), style);
        const LONG now = GetWindowLongA(button, GWL_STYLE);
        if (row.ownerDrawn) {
            EXPECT_EQ(now, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
        } else {
            EXPECT_EQ(now, style) << "no BM_SETSTYLE for a button the platform draws";
        }

        EXPECT_EQ(DetachWindow(form), 1);
        EXPECT_EQ(GetWindowLongA(button, GWL_STYLE), style) << "exactly the former style";
        EXPECT_FALSE(HasRegion(button));
        EXPECT_EQ(ProcOf(button), proc);
        EXPECT_TRUE(EnginePropsOf(button).empty());
        EXPECT_TRUE(EnginePropsOf(form).empty());
        EXPECT_EQ(DetachWindow(form), 0) << "a second detach does nothing";
        EXPECT_EQ(Engine().attachCount, 0);
        DestroyWindow(form);
    }
}

TEST_F(AttachTest, DetachKeepsWhatTheToolChangedSinceAttaching) {
    HWND form = Own(test::CreateTestForm(20, 20, 200, 100));
    HWND button = test::CreateTestChild(form, "Button", "b", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 10, 10, 90, 30);
    const LONG style = GetWindowLongA(button, GWL_STYLE);
    ASSERT_EQ(SkinWindow(form), 1);
    EnableWindow(button, FALSE);

    EXPECT_EQ(DetachWindow(form), 1);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE), style | WS_DISABLED)
        << "the button type comes back; the disabling stays";
    EXPECT_FALSE(IsWindowEnabled(button));
    DestroyWindow(form);
}

TEST_F(AttachTest, DisabledButtonStartsInTheDisabledState) {
    HWND form = Own(test::CreateTestForm(20, 20, 200, 100));
    HWND enabled = test::CreateTestChild(form, "Button", "a", BS_PUSHBUTTON, 0, 10, 10, 80, 25);
    HWND disabled = test::CreateTestChild(form, "Button", "b", BS_PUSHBUTTON | WS_DISABLED, 0, 100, 10, 80, 25);
    ASSERT_EQ(SkinWindow(form), 1);
    EXPECT_EQ(Prop(enabled, kPropOldState), 0);
    EXPECT_EQ(Prop(disabled, kPropOldState), 3);
}

TEST_F(AttachTest, LastWindowGoneFreesSpritesAndALaterSkinWindowStartsAfresh) {
    HWND first = Own(test::CreateTestForm(20, 20, 100, 60));
    ASSERT_EQ(SkinWindow(first), 1);
    EXPECT_EQ(Engine().attachCount, 1) << "a form without controls counts once";
    ASSERT_NE(Engine().markSprite, nullptr);

    DestroyWindow(first);
    EXPECT_EQ(Engine().attachCount, 0);
    EXPECT_FALSE(Engine().initialised);
    for (HDC sprite : {Engine().buttonSprite, Engine().comboButtonSprite, Engine().markSprite,
                       Engine().roundSprite, Engine().headerSprite}) {
        EXPECT_EQ(sprite, nullptr);
    }

    Engine().trackMouseFromUser32 = false;  // so that a new probe shows
    HWND second = Own(test::CreateTestForm(20, 20, 100, 60));
    ASSERT_EQ(SkinWindow(second), 1);
    EXPECT_TRUE(Engine().initialised);
    EXPECT_TRUE(Engine().trackMouseFromUser32);
    EXPECT_NE(Engine().buttonSprite, nullptr);
    EXPECT_EQ(Engine().attachCount, 1);
}

TEST_F(AttachTest, AChildAttachedAlreadyIsLeftAsItIs) {
    HWND form = Own(test::CreateTestForm(20, 20, 200, 100));
    HWND button = test::CreateTestChild(form, "Button", "b", BS_PUSHBUTTON, 0, 10, 10, 80, 25);
    HWND edit = test::CreateTestChild(form, "Edit", "", 0, WS_EX_CLIENTEDGE, 100, 10, 80, 22);
    const WNDPROC buttonProc = ProcOf(button);
    ASSERT_EQ(SkinWindow(button), 1);
    const LONG image = Prop(button, "HDC0");
    SetPropA(button, kPropOldState, reinterpret_cast<HANDLE>(1));  // a hover in progress

    ASSERT_EQ(SkinWindow(form), 1);
    EXPECT_EQ(Engine().attachCount, 3);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(Prop(button, kPropProcAddr)), buttonProc);
    EXPECT_EQ(Prop(button, "HDC0"), image) << "no second set of state images";
    EXPECT_EQ(Prop(button, kPropOldState), 1);
    EXPECT_EQ(ProcOf(edit), &StyleWndProc);
}

TEST_F(AttachTest, RefusesNullHandlesAndWindowsOfOtherThreads) {
    EXPECT_EQ(AttachWindow(nullptr), 0);
    EXPECT_EQ(DetachWindow(nullptr), 0);
    HWND plain = Own(test::CreateTestForm(20, 20, 100, 60));
    EXPECT_EQ(DetachWindow(plain), 0) << "not attached";

    // A form of another thread (in the tool, another program's dialog that
    // becomes active next to the main window) is never touched.
    std::mutex mutex;
    std::condition_variable changed;
    HWND foreign = nullptr;
    bool done = false;
    std::thread owner([&] {
        HWND form = test::CreateTestForm(40, 40, 120, 80);
        HWND button = test::CreateTestChild(form, "Button", "b", BS_PUSHBUTTON, 0, 5, 5, 60, 25);
        (void)button;
        {
            std::lock_guard<std::mutex> lock(mutex);
            foreign = form;
        }
        changed.notify_all();
        std::unique_lock<std::mutex> lock(mutex);
        while (!done) {
            lock.unlock();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            lock.lock();
        }
        DestroyWindow(form);
    });
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return foreign != nullptr; });
    }
    HWND button = GetWindow(foreign, GW_CHILD);
    const LONG style = GetWindowLongA(button, GWL_STYLE);
    EXPECT_EQ(SkinWindow(foreign), 0);
    EXPECT_EQ(Engine().attachCount, 0);
    EXPECT_TRUE(EnginePropsOf(foreign).empty());
    EXPECT_TRUE(EnginePropsOf(button).empty());
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE), style) << "its button is not switched to owner-draw";
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
    }
    owner.join();
    // SkinWindow built the sprites though nothing was attached; the next
    // detach of a last window frees them, as here.
    HWND form = Own(test::CreateTestForm(20, 20, 100, 60));
    ASSERT_EQ(SkinWindow(form), 1);
    DestroyWindow(form);
}

}  // namespace
}  // namespace tarnwick
