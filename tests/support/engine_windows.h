#pragma once
// Real windows of every control kind for the engine's attach, dispatch and
// hover tests: the platform's own controls under the class names of the
// engine's class table (superclasses registered in this module), forms to
// hold them, and helpers that drive messages deterministically: input the
// platform queued on its own is thrown away unseen, and fades are advanced
// by sent WM_TIMER ticks.
#include <windows.h>

#include <string>
#include <vector>

namespace tarnwick::test {

// Class names the tests create windows of. Each maps to the kind named.
inline constexpr char kTestFormClass[] = "ThunderRT6FormDC";          // Form
inline constexpr char kTestCommandClass[] = "ThunderRT6CommandButton";  // PushButton
inline constexpr char kTestCheckClass[] = "ThunderRT6CheckBox";        // CheckBox
inline constexpr char kTestOptionClass[] = "ThunderRT6OptionButton";   // OptionButton
inline constexpr char kTestComboClass[] = "ThunderRT6ComboBox";        // ComboBox
inline constexpr char kTestDriveClass[] = "ThunderRT6DriveListBox";    // DriveList
inline constexpr char kTestProgressClass[] = "ProgressBar20WndClass";  // ProgressBar
inline constexpr char kTestVbHeaderClass[] = "MSVB_Lib_Header";        // Header
inline constexpr char kTestDataListClass[] = "DataListWndClass";       // DataList
inline constexpr char kTestGridClass[] = "ApexGrid80";                 // Grid

// Loads the common controls (header, progress bar) and registers the form
// class and every superclass above. True when all are available.
bool EnsureEngineTestClasses();

// One window of every kind in the class table, children of one visible
// form at (x, y) of 420 x 260 pixels. Destroying the form destroys them.
struct EveryKindForm {
    HWND form = nullptr;
    HWND pushButton = nullptr;    // "Button", BS_PUSHBUTTON
    HWND vbButton = nullptr;      // ThunderRT6CommandButton
    HWND checkStyled = nullptr;   // "Button" with BS_AUTOCHECKBOX
    HWND checkBox = nullptr;      // ThunderRT6CheckBox
    HWND option1 = nullptr;       // ThunderRT6OptionButton
    HWND option2 = nullptr;
    HWND comboEdit = nullptr;     // "ComboBox", CBS_DROPDOWN
    HWND comboList = nullptr;     // "ComboBox", CBS_DROPDOWNLIST
    HWND driveList = nullptr;     // ThunderRT6DriveListBox
    HWND progress = nullptr;      // ProgressBar20WndClass
    HWND header = nullptr;        // "SysHeader32", three items of 60 pixels
    HWND vbHeader = nullptr;      // MSVB_Lib_Header
    HWND dataList = nullptr;      // DataListWndClass
    HWND grid = nullptr;          // ApexGrid80
    HWND edit = nullptr;          // "Edit" with WS_EX_CLIENTEDGE

    // Every window above but the form, in creation order.
    std::vector<HWND> Controls() const;
    // How many windows EnumChildWindows visits under the form: the controls
    // and the platform's own children of them (the editable combo box's
    // edit field).
    int DescendantCount() const;
};
EveryKindForm CreateEveryKindForm(int x = 20, int y = 20);

// A visible form of the test class, at (x, y), width x height; activated
// only when asked.
HWND CreateTestForm(int x, int y, int width, int height, const char* className = kTestFormClass,
                    bool activate = false);
// A child window with the default GUI font.
HWND CreateTestChild(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int x,
                     int y, int width, int height);
// A header with `count` items of `width` pixels, captions "A", "B", ...
void AddHeaderItems(HWND header, int count, int width);

// Puts the cursor where no test window is (the bottom right of the
// screen) and throws away the mouse input that caused.
void ParkCursor();
// Puts the cursor on the centre of the window.
void PointCursorAt(HWND window);

// Removes, without dispatching them, the mouse, mouse-leave and timer
// messages queued for this thread: input that the real cursor produced and
// real fade ticks, which the tests replace by sent messages.
void DiscardInput();

// Sends WM_TIMER ticks until the button's fade timer ("TIMERID") is gone;
// returns how many ticks that took (at most `limit`).
int TickFadeToEnd(HWND button, int limit = 1000);

// "PROCADDR" of the window, and the value of any engine property.
LONG Prop(HWND window, const char* name);

// The window's class name, for failure messages.
std::string ClassOfWindow(HWND window);

// lParam of a mouse message at (x, y).
LPARAM MousePoint(int x, int y);

}  // namespace tarnwick::test
