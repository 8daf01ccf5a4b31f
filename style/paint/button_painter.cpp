#include "style/paint/button_painter.h"

#include <algorithm>
#include <string>

#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/sprite_cells.h"
#include "style/model/control_kind.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "win32/gdi_scope.h"
#include "win32/system_library.h"
#include "win32/window_text.h"

namespace tarnwick {

void RenderButtonStates(HWND button) {
    const Box box = GetWindowBox(button);
    const std::wstring text = GetWindowTextString(button);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
    const bool focused = GetFocus() == button;
    for (int s = 0; s < 4; ++s) {
        HDC image = GetHandleProp<HDC>(button, StateImageDcProp(s));
        if (image == nullptr) {
            continue;
        }
        // The image DC lives as long as the button; the font is selected
        // only while drawing, so the DC never holds on to a font that its
        // owner may delete.
        ScopedSelectObject selectFont(image, font);
        SetBkMode(image, TRANSPARENT);
        StretchSprite(image, 0, 0, box.width, box.height, Engine().buttonSprite,
                      ButtonFaceCell(static_cast<VisualState>(s)), kButtonFaceMargins);
        SetTextColor(image, s == ToInt(VisualState::Disabled) ? ButtonDisabledTextColour : ButtonTextColour);
        DrawTextInRect(image, text, 2, 2, box.width - 4, box.height - 4, kCentredEllipsisFormat);
        if (focused) {
            DrawFocusBox(image, 2, 2, box.width - 4, box.height - 4);
        }
    }
}

ButtonLook ReadButtonLook(HWND button, const KnownLook& known) {
    ButtonLook look;
    look.oldStyle = known.oldStyle ? *known.oldStyle : GetIntProp(button, kPropOldStyle);
    look.state = known.state ? *known.state : GetIntProp(button, kPropOldState);
    if (!IsWindowEnabled(button) && look.state != ToInt(VisualState::Disabled)) {
        look.state = ToInt(VisualState::Disabled);
        SetIntProp(button, kPropOldState, look.state);
    }
    look.alpha = known.alpha ? *known.alpha : GetIntProp(button, kPropAlphaLevel);
    // The image is read only when it can be drawn.
    const char* imageName = StateImageDcProp(look.state);
    if (IsOwnerDrawnButtonStyle(look.oldStyle) && imageName != nullptr && look.alpha > 0) {
        look.image = GetHandleProp<HDC>(button, imageName);
    }
    return look;
}

void BlendButtonLook(HWND button, HDC target, const ButtonLook& look) {
    const int alpha = std::clamp(look.alpha, 0, 255);
    // Opacity 0 leaves the window as it is.
    if (!IsOwnerDrawnButtonStyle(look.oldStyle) || look.image == nullptr || alpha == 0) {
        return;
    }
    const Box box = GetWindowBox(button);
    ScopedWindowDC dc(button, target);
    if (AlphaBlendProc alphaBlend = SystemAlphaBlend()) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
        alphaBlend(dc.get(), 0, 0, box.width, box.height, look.image, 0, 0, box.width, box.height, blend);
    } else if (alpha == 255) {
        // Without msimg32 there are no fades, but a full repaint still
        // shows the current image.
        BitBlt(dc.get(), 0, 0, box.width, box.height, look.image, 0, 0, SRCCOPY);
    }
}

void PaintButton(HWND button, HDC target) { BlendButtonLook(button, target, ReadButtonLook(button)); }

}  // namespace tarnwick
