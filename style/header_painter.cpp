// One header item, redrawn on its own when the mouse moves over the header
// or presses an item.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "style/paint_parts.h"
#include "style/painters.h"
#include "style/primitives.h"
#include "win32/gdi_scope.h"
#include "win32/surface.h"

namespace tarnwick {

void PaintHeaderItem(HWND header, HDC target, int index, int state) {
    if (index < 0) {
        return;
    }
    const Box box = GetWindowBox(header);
    // An index beyond the last item leaves the rectangle empty, and nothing
    // is drawn.
    RECT item{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const int iw = item.right - item.left;
    const int ih = item.bottom - item.top;
    if (iw <= 0 || ih <= 0) {
        return;
    }

    OwnedSurface surface(iw, box.height);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0));
    DrawHeaderItem(surface.get(), 0, iw, box.height, box.height, HeaderCellX(state),
                   ReadHeaderItemText(header, index), font);

    ScopedWindowDC dc(header, target);
    BitBlt(dc.get(), item.left, 0, iw, ih, surface.get(), 0, 0, SRCCOPY);
}

}  // namespace tarnwick
