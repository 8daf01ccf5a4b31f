#include "style/draw/primitives.h"

#include "style/draw/rounding.h"
#include "win32/gdi_scope.h"

namespace tarnwick {
namespace {

RECT BoxToRect(int left, int top, int width, int height) { return ToRect(Box{left, top, width, height}); }

}  // namespace

int DrawTextInRect(HDC dc, std::wstring_view text, int left, int top, int width, int height,
                   UINT format) {
    RECT rect = BoxToRect(left, top, width, height);
    text = text.substr(0, text.find(L'\0'));
    return DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

int FillSolid(HDC dc, int left, int top, int width, int height, COLORREF colour) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    RECT rect = BoxToRect(left, top, width, height);
    return FillRect(dc, &rect, brush.get());
}

int FrameSolid(HDC dc, int left, int top, int width, int height, COLORREF colour) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    RECT rect = BoxToRect(left, top, width, height);
    return FrameRect(dc, &rect, brush.get());
}

BOOL DrawFocusBox(HDC dc, int left, int top, int width, int height) {
    RECT rect = BoxToRect(left, top, width, height);
    return DrawFocusRect(dc, &rect);
}

Box GetWindowBox(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void GetBorderInsets(HWND window, int& horizontal, int& vertical) {
    RECT windowRect{};
    RECT clientRect{};
    GetWindowRect(window, &windowRect);
    GetClientRect(window, &clientRect);
    int verticalBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    int horizontalBarHeight = GetSystemMetrics(SM_CYHSCROLL);

    int horizontalTotal = (windowRect.right - windowRect.left) - (clientRect.right - clientRect.left);
    int verticalTotal = (windowRect.bottom - windowRect.top) - (clientRect.bottom - clientRect.top);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (style & WS_VSCROLL) {
        horizontalTotal -= verticalBarWidth;
    }
    if (style & WS_HSCROLL) {
        verticalTotal -= horizontalBarHeight;
    }
    horizontal = HalfEven(horizontalTotal);
    vertical = HalfEven(verticalTotal);
}

}  // namespace tarnwick
