// Headers: the whole header, painted by the engine alone, and one item
// redrawn on its own.
#include "style/paint/header_painter.h"

#include <commctrl.h>

#include <string>

#include "style/draw/back_buffer.h"
#include "style/draw/blit.h"
#include "style/draw/primitives.h"
#include "style/draw/sprite_cells.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "win32/gdi_scope.h"

namespace tarnwick {
namespace {

// Longest header caption read back; the buffer has room for it and its
// terminating NUL, and the control is told exactly that size.
constexpr int kHeaderTextLimit = 256;

}  // namespace

void PaintHeader(HWND header, HDC lent) {
    const Box box = GetWindowBox(header);
    BackBuffer surface(box.width, box.height);
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
            const VisualState state = i == pressed ? VisualState::Pressed
                                      : i == hot   ? VisualState::Hot
                                                   : VisualState::Normal;
            DrawHeaderItem(surface.get(), item.left, item.right - item.left, box.height, item.bottom,
                           HeaderCellX(state), ReadHeaderItemText(header, i), font);
        }
    }
    PaintDC dc(header, lent);
    surface.CopyTo(dc.get(), 0, 0);
}

void PaintHeaderItem(HWND header, HDC target, int index, VisualState state) {
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

    BackBuffer surface(iw, box.height);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0));
    DrawHeaderItem(surface.get(), 0, iw, box.height, box.height, HeaderCellX(state),
                   ReadHeaderItemText(header, index), font);

    ScopedWindowDC dc(header, target);
    surface.CopyTo(dc.get(), item.left, 0, iw, ih);
}

int HeaderCellX(VisualState state) {
    // A header item is never drawn disabled.
    return HeaderFaceCell(state == VisualState::Disabled ? VisualState::Normal : state).left;
}

std::wstring ReadHeaderItemText(HWND header, int index) {
    std::wstring buffer(kHeaderTextLimit, L'\0');
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = buffer.data();
    item.cchTextMax = kHeaderTextLimit;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    // Read the buffer, never item.pszText: for a callback item the control
    // puts LPSTR_TEXTCALLBACKW there instead of copying a text.
    buffer.resize(buffer.find(L'\0'));
    return buffer;
}

void DrawHeaderItem(HDC surface, int left, int width, int faceHeight, int textHeight, int cellX,
                    const std::wstring& text, HFONT font) {
    const Box cell{cellX, 0, 3, 20};
    StretchSprite(surface, left, 0, width, faceHeight, Engine().headerSprite, cell, kHeaderFaceMargins);
    if (text.empty()) {
        return;
    }
    ScopedSelectObject selectFont(surface, font);
    SetBkMode(surface, TRANSPARENT);
    DrawTextInRect(surface, text, left, 0, width, textHeight, kCentredEllipsisFormat);
}

}  // namespace tarnwick
