#include "style/paint/button_painter.h"

#include <algorithm>
#include <string>

#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/sprite_cells.h"
#include "style/model/button_properties.h"
#include "style/model/control_kind.h"
#include "style/model/engine_state.h"
#include "win32/gdi_scope.h"
#include "win32/system_library.h"
#include "win32/window_text.h"

namespace tarnwick {

void RenderButtonStates(HWND button) {
    const Box box = GetWindowBox(button);
    const std::wstring text = GetWindowTextString(button);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
    const bool focused = GetFocus() == button;
    const PushButtonProperties properties(button);
    for (VisualState state : kEveryVisualState) {
        HDC image = properties.StateImage(state);
        if (image == nullptr) {
            continue;
        }
        // The image DC lives as long as the button; the font is selected
        // only while drawing, so the DC never holds on to a font that its
        // owner may delete.
        ScopedSelectObject selectFont(image, font);
        SetBkMode(image, TRANSPARENT);
        StretchSprite(image, 0, 0, box.width, box.height, Engine().buttonSprite,
                      ButtonFaceCell(state), kButtonFaceMargins);
        SetTextColor(image, state == VisualState::Disabled ? ButtonDisabledTextColour : ButtonTextColour);
        DrawTextInRect(image, text, 2, 2, box.width - 4, box.height - 4, kCentredEllipsisFormat);
        if (focused) {
            DrawFocusBox(image, 2, 2, box.width - 4, box.height - 4);
        }
    }
}

void BlendButtonImage(HWND button, HDC target, HDC image, int alpha) {
    alpha = std::clamp(alpha, 0, 255);
    // Opacity 0 leaves the window as it is.
    if (image == nullptr || alpha == 0) {
        return;
    }
    const Box box = GetWindowBox(button);
    ScopedWindowDC dc(button, target);
    if (AlphaBlendProc alphaBlend = SystemAlphaBlend()) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
        alphaBlend(dc.get(), 0, 0, box.width, box.height, image, 0, 0, box.width, box.height, blend);
    } else if (alpha == 255) {
        // Without msimg32 there are no fades, but a full repaint still
        // shows the current image.
        BitBlt(dc.get(), 0, 0, box.width, box.height, image, 0, 0, SRCCOPY);
    }
}

}  // namespace tarnwick
