#include "style/paint/frame_painter.h"

#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "win32/gdi_scope.h"

namespace tarnwick {

COLORREF FrameColour(HWND window) {
    return IsWindowEnabled(window) ? BorderColourEnabled : BorderColourDisabled;
}

void DrawDoubleFrame(HWND window, HDC windowDc) {
    const Box box = GetWindowBox(window);
    FrameSolid(windowDc, 0, 0, box.width, box.height, FrameColour(window));
    FrameSolid(windowDc, 1, 1, box.width - 2, box.height - 2, White);
}

void DrawOutline(HWND window) {
    const Box box = GetWindowBox(window);
    ScopedWindowDC dc(window);
    FrameSolid(dc.get(), 0, 0, box.width, box.height, FrameColour(window));
}

void ReplaceClientEdge(HWND window) {
    int ix = 0;
    int iy = 0;
    GetBorderInsets(window, ix, iy);
    const Box box = GetWindowBox(window);
    ScopedWindowDC windowDc(window);
    // The client-area DC is taken only for its background colour.
    ScopedWindowDC clientDc(window, ScopedWindowDC::Area::Client);
    const COLORREF background = GetBkColor(clientDc.get());
    FrameSolid(windowDc.get(), 0, 0, box.width, box.height, FrameColour(window));
    for (int d = 1; d <= ix; ++d) {
        FrameSolid(windowDc.get(), d, d, box.width - 2 * d, box.height - 2 * d, background);
    }
}

}  // namespace tarnwick
