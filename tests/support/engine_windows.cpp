#include "tests/support/engine_windows.h"

#include <commctrl.h>

#include "tests/support/test_windows.h"

namespace tarnwick::test {
namespace {

bool CommonControlsLoaded() {
    static const bool loaded = [] {
        HMODULE comctl = LoadLibraryA("comctl32.dll");
        if (comctl == nullptr) return false;
        using InitProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        auto init = reinterpret_cast<InitProc>(GetProcAddress(comctl, "InitCommonControlsEx"));
        if (init == nullptr) return false;
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
        return init(&controls) != FALSE;
    }();
    return loaded;
}

// `name` as a class of this module with the procedure, extra bytes and
// styles of the system class `base`.
bool RegisterCopyOf(const char* name, const char* base) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (GetClassInfoA(instance, name, &wc)) return true;
    if (!GetClassInfoA(nullptr, base, &wc)) return false;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    wc.style &= ~CS_GLOBALCLASS;
    return RegisterClassA(&wc) != 0;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

bool EnsureEngineTestClasses() {
    if (!CommonControlsLoaded()) return false;
    bool ok = RegisterTestClass(kTestFormClass);
    ok = RegisterCopyOf(kTestCommandClass, "Button") && ok;
    ok = RegisterCopyOf(kTestCheckClass, "Button") && ok;
    ok = RegisterCopyOf(kTestOptionClass, "Button") && ok;
    ok = RegisterCopyOf(kTestComboClass, "ComboBox") && ok;
    ok = RegisterCopyOf(kTestDriveClass, "ComboBox") && ok;
    ok = RegisterCopyOf(kTestProgressClass, PROGRESS_CLASSA) && ok;
    ok = RegisterCopyOf(kTestVbHeaderClass, WC_HEADERA) && ok;
    ok = RegisterCopyOf(kTestDataListClass, "ListBox") && ok;
    ok = RegisterCopyOf(kTestGridClass, "ListBox") && ok;
    return ok;
}

std::vector<HWND> EveryKindForm::Controls() const {
    return {pushButton, vbButton, checkStyled, checkBox, option1, option2, comboEdit, comboList,
            driveList,  progress, header,      vbHeader, dataList, grid,   edit};
}

int EveryKindForm::DescendantCount() const {
    int count = 0;
    EnumChildWindows(form, CountChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

HWND CreateTestForm(int x, int y, int width, int height, const char* className, bool activate) {
    HWND form = CreateWindowExA(0, className, "form", WS_POPUP | WS_CLIPCHILDREN, x, y, width, height, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    // Under Wine, destroying the active window waits about two seconds for
    // the focus to settle; forms that need not be active are not.
    if (form != nullptr) ShowWindow(form, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    return form;
}

HWND CreateTestChild(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int x,
                     int y, int width, int height) {
    HWND child = CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, x, y, width, height,
                                 parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (child != nullptr) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return child;
}

void AddHeaderItems(HWND header, int count, int width) {
    for (int i = 0; i < count; ++i) {
        char text[2] = {static_cast<char>('A' + i), 0};
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = width;
        item.pszText = text;
        item.fmt = HDF_CENTER | HDF_STRING;
        SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

EveryKindForm CreateEveryKindForm(int x, int y) {
    EveryKindForm f;
    f.form = CreateTestForm(x, y, 420, 260);
    HWND p = f.form;
    f.pushButton = CreateTestChild(p, "Button", "OK", BS_PUSHBUTTON | WS_TABSTOP, 0, 10, 10, 75, 25);
    f.vbButton = CreateTestChild(p, kTestCommandClass, "VB", BS_PUSHBUTTON | WS_TABSTOP, 0, 95, 10, 75, 25);
    f.checkStyled = CreateTestChild(p, "Button", "check", BS_AUTOCHECKBOX, 0, 180, 10, 90, 20);
    f.checkBox = CreateTestChild(p, kTestCheckClass, "check", BS_AUTOCHECKBOX, 0, 280, 10, 90, 20);
    f.option1 = CreateTestChild(p, kTestOptionClass, "one", BS_AUTORADIOBUTTON | WS_GROUP, 0, 10, 45, 80, 20);
    f.option2 = CreateTestChild(p, kTestOptionClass, "two", BS_AUTORADIOBUTTON, 0, 95, 45, 80, 20);
    f.comboEdit = CreateTestChild(p, "ComboBox", "", CBS_DROPDOWN, 0, 180, 45, 110, 120);
    f.comboList = CreateTestChild(p, kTestComboClass, "", CBS_DROPDOWNLIST, 0, 300, 45, 110, 120);
    f.driveList = CreateTestChild(p, kTestDriveClass, "", CBS_DROPDOWNLIST, 0, 10, 80, 110, 120);
    for (HWND combo : {f.comboEdit, f.comboList, f.driveList}) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("first"));
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("second"));
    }
    f.progress = CreateTestChild(p, kTestProgressClass, "", 0, 0, 130, 80, 150, 18);
    SendMessageA(f.progress, PBM_SETRANGE32, 0, 30000);
    SendMessageA(f.progress, PBM_SETPOS, 12000, 0);
    f.header = CreateTestChild(p, WC_HEADERA, "", HDS_HORZ | HDS_BUTTONS, 0, 10, 115, 180, 22);
    AddHeaderItems(f.header, 3, 60);
    f.vbHeader = CreateTestChild(p, kTestVbHeaderClass, "", HDS_HORZ | HDS_BUTTONS, 0, 200, 115, 180, 22);
    AddHeaderItems(f.vbHeader, 2, 80);
    f.dataList = CreateTestChild(p, kTestDataListClass, "", WS_BORDER, 0, 10, 150, 120, 60);
    f.grid = CreateTestChild(p, kTestGridClass, "", WS_BORDER, 0, 140, 150, 120, 60);
    f.edit = CreateTestChild(p, "Edit", "250", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 270, 150, 100, 22);
    return f;
}

void ParkCursor() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    DiscardInput();
}

void PointCursorAt(HWND window) {
    RECT box{};
    GetWindowRect(window, &box);
    SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);
}

void DiscardInput() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
}

int TickFadeToEnd(HWND button, int limit) {
    int ticks = 0;
    while (GetPropA(button, "TIMERID") != nullptr && ticks < limit) {
        SendMessageA(button, WM_TIMER, 1, 0);
        ++ticks;
    }
    return ticks;
}

LONG Prop(HWND window, const char* name) {
    return static_cast<LONG>(reinterpret_cast<INT_PTR>(GetPropA(window, name)));
}

std::string ClassOfWindow(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

LPARAM MousePoint(int x, int y) {
    return static_cast<LPARAM>(static_cast<DWORD>(static_cast<WORD>(x)) |
                               (static_cast<DWORD>(static_cast<WORD>(y)) << 16));
}

}  // namespace tarnwick::test
