// Frames the engine draws over the platform's: the double frame of lists
// and drop-down combo boxes, and the flat replacement of a sunken client
// edge.
#include "style/colours.h"
#include "style/paint_handler_parts.h"
#include "style/paint_parts.h"
#include "style/primitives.h"
#include "win32/gdi_scope.h"

namespace tarnwick {

void DrawDoubleFrame(HWND window, HDC windowDc) {
    const Box box = GetWindowBox(window);
    FrameSolid(windowDc, 0, 0, box.width, box.height, FrameColour(window));
    FrameSolid(windowDc, 1, 1, box.width - 2, box.height - 2, White);
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
