// Headers, painted wholly by the engine: a stretched body column as the
// background and every item's face and caption over it.
#include <windows.h>

#include <commctrl.h>

#include "style/engine_state.h"
#include "style/paint_handler_parts.h"
#include "style/paint_parts.h"
#include "style/primitives.h"
#include "style/properties.h"
#include "style/sprites.h"
#include "win32/gdi_scope.h"
#include "win32/surface.h"

namespace tarnwick {

void PaintHeader(HWND header, WPARAM wParam) {
    const Box box = GetWindowBox(header);
    OwnedSurface surface(box.width, box.height);
    StretchBlt(surface.get(), 0, 0, box.width, box.height, Engine().headerSprite, kHeaderBodyColumn.left,
               kHeaderBodyColumn.top, kHeaderBodyColumn.width, kHeaderBodyColumn.height, SRCCOPY);

    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    if (count > 0) {
        const int pressed = GetIntProp(header, kPropHeaderDownIndex);
        const int hot = GetIntProp(header, kPropHeaderHotIndex);
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT item{};
            SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            // Pressed wins over hot.
            const int state = i == pressed ? 2 : i == hot ? 1 : 0;
            DrawHeaderItem(surface.get(), item.left, item.right - item.left, box.height, item.bottom,
                           HeaderCellX(state), ReadHeaderItemText(header, i), font);
        }
    }
    PaintDC dc(header, reinterpret_cast<HDC>(wParam));
    BitBlt(dc.get(), 0, 0, box.width, box.height, surface.get(), 0, 0, SRCCOPY);
}

}  // namespace tarnwick
