#include "style/paint/combo_painter.h"

#include "style/draw/back_buffer.h"
#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/rounding.h"
#include "style/draw/sprite_cells.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/paint/frame_painter.h"
#include "win32/gdi_scope.h"

namespace tarnwick {

void PaintComboButton(HWND window, HDC target, VisualState state, bool force) {
    // An open list shows the button pressed whatever the caller asked for.
    if (SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != 0) {
        state = VisualState::Pressed;
    }
    if (!force && ToInt(state) == GetIntProp(window, kPropOldState)) {
        return;
    }
    // A simple combo box (list always shown) has no drop-down button.
    if (!HasDropButtonStyle(GetWindowLongA(window, GWL_STYLE))) {
        return;
    }
    SetIntProp(window, kPropOldState, ToInt(state));

    const Box box = GetWindowBox(window);
    const int bw = GetSystemMetrics(SM_CXVSCROLL) + 1;
    const int bh = box.height - 2;
    BackBuffer surface(bw, bh);
    const EngineState& engine = Engine();
    switch (state) {
        case VisualState::Hot:
            StretchSprite(surface.get(), 0, 0, bw, bh, engine.comboButtonSprite, kComboFaceHot, kComboFaceMargins);
            break;
        case VisualState::Pressed:
            StretchSprite(surface.get(), 0, 0, bw, bh, engine.comboButtonSprite, kComboFacePressed,
                          kComboFaceMargins);
            break;
        default:
            // Normal, and any other state, so the button never shows the
            // surface's undefined pixels.
            FillSolid(surface.get(), 0, 0, bw, bh, White);
            break;
    }
    const Box& arrow = IsWindowEnabled(window) ? kComboArrowEnabled : kComboArrowDisabled;
    BlitTransparent(surface.get(), ComboArrowLeft(bw), HalfEven(box.height - 6), arrow.width, arrow.height,
                    engine.comboButtonSprite, arrow.left, arrow.top, SpriteKeyColour);

    // Inside the one-pixel frame at the right edge.
    ScopedWindowDC dc(window, target);
    surface.CopyTo(dc.get(), box.width - bw - 1, 1);
}

void PaintEditableCombo(HWND combo, HDC lent) {
    const auto state = static_cast<VisualState>(GetIntProp(combo, kPropOldState));
    const Box box = GetWindowBox(combo);
    PaintDC dc(combo, lent);
    FillSolid(dc.get(), 0, 0, box.width, box.height, White);
    FrameSolid(dc.get(), 0, 0, box.width, box.height, FrameColour(combo));
    PaintComboButton(combo, dc.get(), state, true);
}

void PaintComboOverlay(HWND combo) {
    const auto state = static_cast<VisualState>(GetIntProp(combo, kPropOldState));
    ScopedWindowDC dc(combo);
    DrawDoubleFrame(combo, dc.get());
    PaintComboButton(combo, dc.get(), state, true);
}

int ComboArrowLeft(int buttonWidth) {
    const double room = buttonWidth - 7;
    return RoundHalfEven(room - room / 2.0);
}

}  // namespace tarnwick
