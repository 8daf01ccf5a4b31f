// The second baseline of the benchmarks: what any program with the main
// window's layout has to pay, without the style engine, the version
// recognition, the settings cache or the notice. One caption-less window of
// the layout's size, centred, with the same background picture and green
// colour key, the fifteen value fields with their default texts, the three
// buttons, the hidden field and the sixteen label texts, all plain: the
// platform draws the controls, the window draws the picture and the texts.
//
// A click on "确认" does the least a safe patch must do: it copies the game
// file (TARNWICK_BENCH_COPY, "source|destination") to the backup, flushes
// the copy to disk, and shows a plain message box.
#include <windows.h>


#include "app/main_layout.h"
#include "bench/copy_setting.h"
#include "res/resource_ids.h"

namespace {

using namespace tarnwick::main_layout;

constexpr char kClassName[] = "TarnwickBenchLayout";
constexpr wchar_t kStatusText[] = L"您当前所使用的版本为1.07";
constexpr const wchar_t* kCaptions[] = {L"血值：", L"血值：", L"血值：", L"血值：", L"血值：",
                                        L"时局：", L"时局：", L"时局：", L"局次：", L"时间：",
                                        L"时局：", L"局次：", L"局次：", L"局次：", L"人数："};
constexpr const wchar_t* kDefaults[] = {L"50", L"100", L"150", L"200", L"300", L"1",  L"3", L"5",
                                        L"7",  L"10",  L"15",  L"21",  L"27",  L"30", L"16"};
static_assert(sizeof kCaptions / sizeof kCaptions[0] == tarnwick::kFieldCount);

wchar_t copyFrom[MAX_PATH] = {};
wchar_t copyTo[MAX_PATH] = {};
double twipsPerPixel = 15;
const BITMAPINFO* picture = nullptr;

int Pixels(int twips) { return static_cast<int>(twips / twipsPerPixel + 0.5); }

RECT PixelRect(const tarnwick::Box& twips) {
    return RECT{Pixels(twips.left), Pixels(twips.top), Pixels(twips.left) + Pixels(twips.width),
                Pixels(twips.top) + Pixels(twips.height)};
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
           const tarnwick::Box& twips, int id) {
    const RECT r = PixelRect(twips);
    HWND child = CreateWindowExW(exStyle, className, text, style | WS_CHILD, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH green = CreateSolidBrush(kBackColour);
    FillRect(dc, &client, green);
    DeleteObject(green);
    if (picture != nullptr) {
        const BITMAPINFOHEADER& header = picture->bmiHeader;
        SetDIBitsToDevice(dc, 0, 0, header.biWidth, header.biHeight, 0, 0, 0, header.biHeight,
                          reinterpret_cast<const BYTE*>(picture) + header.biSize, picture, DIB_RGB_COLORS);
    }
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    RECT status = PixelRect(kStatus);
    DrawTextW(dc, kStatusText, -1, &status, DT_WORDBREAK);
    for (int i = 0; i < tarnwick::kFieldCount; ++i) {
        RECT label = PixelRect(FieldLabelBox(i));
        DrawTextW(dc, kCaptions[i], -1, &label, DT_WORDBREAK);
    }
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

void Confirm(HWND window) {
    if (copyFrom[0] == 0) return;
    if (CopyFileW(copyFrom, copyTo, FALSE)) {
        HANDLE copy = CreateFileW(copyTo, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (copy != INVALID_HANDLE_VALUE) {
            FlushFileBuffers(copy);
            CloseHandle(copy);
        }
    }
    MessageBoxW(window, L"恭喜您修改成功", L"系统信息", MB_OK);
}

LRESULT CALLBACK LayoutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kConfirmButtonId) Confirm(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

const BITMAPINFO* LoadPicture(HINSTANCE instance) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDB_BACKGROUND), reinterpret_cast<LPCWSTR>(RT_BITMAP));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    return loaded ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = LayoutProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExA(&windowClass)) return 1;
    picture = LoadPicture(instance);

    HDC screen = GetDC(nullptr);
    twipsPerPixel = 1440.0 / GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const int width = Pixels(kClientWidth), height = Pixels(kClientHeight);
    HWND window = CreateWindowExW(0, L"TarnwickBenchLayout", L"Tarnwick", WS_POPUP | WS_CLIPCHILDREN,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;

    for (int i = 0; i < tarnwick::kFieldCount; ++i) {
        Child(window, L"Edit", kDefaults[i], WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
              FieldBox(i), FieldId(i));
    }
    const DWORD button = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    Child(window, L"Button", L"确认", button, 0, kConfirmButtonBox, kConfirmButtonId);
    Child(window, L"Button", L"退出", button, 0, kExitButtonBox, kExitButtonId);
    Child(window, L"Button", L"还原", button, 0, kRestoreButtonBox, kRestoreButtonId);
    Child(window, L"Edit", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kHiddenFieldBox,
          kHiddenFieldId);

    tarnwick::bench::ReadCopySetting(copyFrom, copyTo);

    SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, kBackColour, 0, LWA_COLORKEY);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
