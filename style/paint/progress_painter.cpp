#include "style/paint/progress_painter.h"

#include <commctrl.h>

#include <algorithm>

#include "style/draw/back_buffer.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/rounding.h"
#include "win32/gdi_scope.h"

namespace tarnwick {
namespace {

// The position that fills a progress bar completely.
constexpr double kProgressFullPosition = 30000.0;

}  // namespace

void PaintProgressClient(HWND bar, HDC lent) {
    const LONG style = GetWindowLongA(bar, GWL_STYLE);
    RECT client{};
    GetClientRect(bar, &client);
    const int w = client.right - client.left;
    const int h = client.bottom - client.top;

    BackBuffer surface(w, h);
    const double f = ProgressFraction(bar);
    FillSolid(surface.get(), 0, 0, w, h, White);
    if (f != 0) {
        if (style & PBS_VERTICAL) {
            // Grows from the bottom, reaching it: rounding the top and the
            // height apart could leave a white line under the fill (h 5, f
            // 0.5: top 2, height 2).
            const int top = RoundHalfEven(h - h * f);
            FillSolid(surface.get(), 0, top, w, h - top, ProgressFillColour);
        } else {
            // Grows from the left.
            FillSolid(surface.get(), 0, 0, RoundHalfEven(w * f), h, ProgressFillColour);
        }
    }
    PaintDC dc(bar, lent);
    surface.CopyTo(dc.get(), 0, 0);
}

void PaintProgressFrame(HWND bar) {
    int ix = 0;
    int iy = 0;
    GetBorderInsets(bar, ix, iy);
    const Box box = GetWindowBox(bar);
    RECT client{};
    GetClientRect(bar, &client);
    const int cw = client.right - client.left;
    const int ch = client.bottom - client.top;

    BackBuffer surface(box.width, box.height);
    const double f = ProgressFraction(bar);
    const LONG style = GetWindowLongA(bar, GWL_STYLE);
    // The outline keeps the enabled colour even on a disabled bar.
    FillSolid(surface.get(), 0, 0, box.width, box.height, BorderColourEnabled);
    FillSolid(surface.get(), 1, 1, box.width - 2, box.height - 2, White);
    if (f != 0) {
        if (style & PBS_VERTICAL) {
            // Only a smooth vertical bar shows its fill here; the client
            // painting that follows draws it for every vertical bar.
            if (style & PBS_SMOOTH) {
                FillSolid(surface.get(), ix, iy, cw, ch, ProgressFillColour);
            }
            FillSolid(surface.get(), ix, iy, cw, RoundHalfEven(ch - ch * f), White);
        } else {
            FillSolid(surface.get(), ix, iy, RoundHalfEven(cw * f), ch, ProgressFillColour);
        }
    }
    ScopedWindowDC dc(bar);
    surface.CopyTo(dc.get(), 0, 0);
}

double ProgressFraction(HWND bar) {
    const LRESULT position = SendMessageA(bar, PBM_GETPOS, 0, 0);
    return std::clamp(static_cast<double>(static_cast<int>(position)) / kProgressFullPosition, 0.0, 1.0);
}

}  // namespace tarnwick
