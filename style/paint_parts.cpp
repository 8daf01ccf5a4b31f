#include "style/paint_parts.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "style/blit.h"
#include "style/colours.h"
#include "style/engine_state.h"
#include "style/primitives.h"
#include "style/rounding.h"
#include "style/sprites.h"
#include "win32/gdi_scope.h"

namespace tarnwick {
namespace {

// The position that fills a progress bar completely.
constexpr double kProgressFullPosition = 30000.0;

// Longest header caption read back; the buffer has room for it and its
// terminating NUL, and the control is told exactly that size.
constexpr int kHeaderTextLimit = 256;

}  // namespace

COLORREF FrameColour(HWND window) {
    return IsWindowEnabled(window) ? BorderColourEnabled : BorderColourDisabled;
}

int ComboArrowLeft(int buttonWidth) {
    const double room = buttonWidth - 7;
    return RoundHalfEven(room - room / 2.0);
}

int HeaderCellX(int state) {
    switch (state) {
        case 1:
            return HeaderFaceCell(VisualState::Hot).left;
        case 2:
            return HeaderFaceCell(VisualState::Pressed).left;
        default:
            return HeaderFaceCell(VisualState::Normal).left;
    }
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

double ProgressFraction(HWND bar) {
    const LRESULT position = SendMessageA(bar, PBM_GETPOS, 0, 0);
    return std::clamp(static_cast<double>(static_cast<int>(position)) / kProgressFullPosition, 0.0, 1.0);
}

}  // namespace tarnwick
