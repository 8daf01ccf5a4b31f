// The baseline of the benchmarks: the smallest program of this toolchain
// that does what the benchmarks time in the tool. It opens one top-level
// window of the main window's size (514 x 292 pixels at 96 dots per inch),
// centred on the screen, and runs a message loop until the window is
// destroyed.
//
// When the environment variable TARNWICK_BENCH_BUTTON holds
// "left,top,width,height" (client pixels), the window also gets one plain
// push button there, drawn by the platform: the unskinned counterpart of
// the tool's "确认" for the fade benchmark. When TARNWICK_BENCH_COPY also
// holds "source|destination", a click on that button copies the file with
// CopyFileW and then shows a plain message box, as "确认" does after its
// work: the platform's floor for the apply benchmark.
#include <windows.h>

#include <cstdio>

#include "bench/copy_setting.h"

namespace {

constexpr char kClassName[] = "TarnwickBenchBaseline";
constexpr int kWidth = 514;
constexpr int kHeight = 292;

wchar_t copyFrom[MAX_PATH] = {};
wchar_t copyTo[MAX_PATH] = {};

LRESULT CALLBACK BaselineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && copyFrom[0] != 0) {
        CopyFileW(copyFrom, copyTo, FALSE);
        MessageBoxW(window, L"恭喜您修改成功", L"系统信息", MB_OK);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = BaselineProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExA(&windowClass)) return 1;

    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    HWND window = CreateWindowExA(0, kClassName, "Baseline", WS_POPUP | WS_CLIPCHILDREN, left, top, kWidth,
                                  kHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    char box[64] = {};
    int x = 0, y = 0, width = 0, height = 0;
    if (GetEnvironmentVariableA("TARNWICK_BENCH_BUTTON", box, sizeof box) > 0 &&
        std::sscanf(box, "%d,%d,%d,%d", &x, &y, &width, &height) == 4) {
        HWND button = CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y,
                                      width, height, window, nullptr, instance, nullptr);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }

    tarnwick::bench::ReadCopySetting(copyFrom, copyTo);

    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
