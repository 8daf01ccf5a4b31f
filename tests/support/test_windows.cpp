#include "tests/support/test_windows.h"

namespace tarnwick::test {

bool RegisterTestClass(const char* name, WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, name, &existing)) {
        return true;
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure != nullptr ? procedure : DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

TestWindow::TestWindow(const char* className, const char* text, DWORD style, DWORD exStyle, int x,
                       int y, int width, int height, HWND parent)
    : window_(CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}

void TestWindow::reset(HWND window) {
    HWND old = std::exchange(window_, window);
    if (old != nullptr && IsWindow(old)) {
        DestroyWindow(old);
    }
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace tarnwick::test
