#include "tests/support/control_windows.h"

#include <commctrl.h>

#include "tests/support/test_windows.h"

namespace tarnwick::test {
namespace {

constexpr char kPropPrevious[] = "TESTPREVPROC";
constexpr char kPropPaint[] = "TESTPAINT";
constexpr char kPropNcPaint[] = "TESTNCPAINT";

LRESULT CALLBACK RoutingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(window, kPropPrevious));
    MessageHook paint = reinterpret_cast<MessageHook>(GetPropA(window, kPropPaint));
    MessageHook ncPaint = reinterpret_cast<MessageHook>(GetPropA(window, kPropNcPaint));
    if (message == WM_PAINT && paint != nullptr) {
        return paint(previous, window, message, wParam, lParam);
    }
    if (message == WM_NCPAINT && ncPaint != nullptr) {
        return ncPaint(previous, window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(previous));
        RemovePropA(window, kPropPrevious);
        RemovePropA(window, kPropPaint);
        RemovePropA(window, kPropNcPaint);
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

std::unique_ptr<DibCanvas> Capture(HWND window, bool whole) {
    RECT rect{};
    if (whole) {
        GetWindowRect(window, &rect);
    } else {
        GetClientRect(window, &rect);
    }
    auto canvas = std::make_unique<DibCanvas>(rect.right - rect.left, rect.bottom - rect.top);
    HDC dc = whole ? GetWindowDC(window) : GetDC(window);
    canvas->CopyFrom(dc, 0, 0);
    ReleaseDC(window, dc);
    return canvas;
}

}  // namespace

bool LoadCommonControls() {
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    if (comctl == nullptr) {
        return false;
    }
    using InitProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = reinterpret_cast<InitProc>(GetProcAddress(comctl, "InitCommonControlsEx"));
    if (init == nullptr) {
        return false;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    return init(&controls) != FALSE;
}

bool RegisterSuperclass(const char* name, const char* base) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, name, &existing)) {
        return true;
    }
    WNDCLASSA wc{};
    if (!GetClassInfoA(nullptr, base, &wc)) {
        return false;
    }
    wc.hInstance = instance;
    wc.lpszClassName = name;
    // A system class may be global; the superclass is this module's own.
    wc.style &= ~CS_GLOBALCLASS;
    return RegisterClassA(&wc) != 0;
}

HWND CreateHostWindow(int x, int y, int width, int height) {
    RegisterTestClass("TarnwickPaintHost");
    HWND host = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "TarnwickPaintHost", "", WS_POPUP, x, y, width,
                                height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    // Shown without activation: the display's window manager (if any) then
    // leaves it alone, and destroying it costs no wait for the unmapping.
    SetWindowPos(host, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PumpMessages();
    return host;
}

std::unique_ptr<DibCanvas> CaptureWindow(HWND window) { return Capture(window, true); }

std::unique_ptr<DibCanvas> CaptureClient(HWND window) { return Capture(window, false); }

void RoutePaintMessages(HWND window, MessageHook paint, MessageHook ncPaint) {
    SetPropA(window, kPropPaint, reinterpret_cast<HANDLE>(paint));
    SetPropA(window, kPropNcPaint, reinterpret_cast<HANDLE>(ncPaint));
    // The previous procedure is recorded before the new one can be called.
    SetPropA(window, kPropPrevious, reinterpret_cast<HANDLE>(GetWindowLongA(window, GWL_WNDPROC)));
    SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(RoutingProc));
}

WNDPROC RoutedPreviousProc(HWND window) {
    return reinterpret_cast<WNDPROC>(GetPropA(window, kPropPrevious));
}

void RepaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace tarnwick::test
