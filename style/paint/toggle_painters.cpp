#include "style/paint/toggle_painters.h"

#include "style/draw/back_buffer.h"
#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/rounding.h"
#include "style/draw/sprite_cells.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "win32/gdi_scope.h"

namespace tarnwick {
namespace {

// Skips a repaint in the state drawn last unless forced; otherwise records
// the state about to be drawn.
bool TakeState(HWND window, VisualState state, bool force) {
    if (!force && ToInt(state) == GetIntProp(window, kPropOldState)) {
        return false;
    }
    SetIntProp(window, kPropOldState, ToInt(state));
    return true;
}

}  // namespace

bool PaintCheckBox(HWND window, VisualState state, bool force) {
    if (!TakeState(window, state, force)) {
        return false;
    }
    const int cx = GetSystemMetrics(SM_CXMENUCHECK);
    const int cy = GetSystemMetrics(SM_CYMENUCHECK);
    const Box box = GetWindowBox(window);
    const LRESULT check = SendMessageA(window, BM_GETCHECK, 0, 0);
    const bool enabled = IsWindowEnabled(window) != FALSE;
    const EngineState& engine = Engine();

    BackBuffer surface(cx, cy);
    ScopedWindowDC windowDc(window);
    FillSolid(surface.get(), 0, 0, cx, cy, White);
    if (enabled) {
        FrameSolid(surface.get(), 0, 0, cx, cy,
                   state == VisualState::Pressed ? CheckFramePressedColour : BorderColourEnabled);
        if (state == VisualState::Hot || state == VisualState::Pressed) {
            const Box& band = state == VisualState::Hot ? kRoundHotBand : kRoundPressedBand;
            StretchBlt(surface.get(), 1, 1, cx - 2, cy - 2, engine.roundSprite, band.left, band.top, band.width,
                       band.height, SRCCOPY);
        }
    } else {
        FrameSolid(surface.get(), 0, 0, cx, cy, BorderColourDisabled);
    }
    if (check == BST_CHECKED) {
        const Box& tick = enabled ? kTickEnabled : kTickDisabled;
        BlitTransparent(surface.get(), HalfEven(cx - tick.width), HalfEven(cy - tick.height), tick.width,
                        tick.height, engine.markSprite, tick.left, tick.top, SpriteKeyColour);
    } else if (check == BST_INDETERMINATE) {
        const Box& square = enabled ? kSquareEnabled : kSquareDisabled;
        BlitTransparent(surface.get(), HalfEven(cx - square.width), HalfEven(cy - square.height), square.width,
                        square.height, engine.markSprite, square.left, square.top, SpriteKeyColour);
    }
    surface.CopyTo(windowDc.get(), 0, HalfEven(box.height - cy));
    return true;
}

bool PaintOptionButton(HWND window, VisualState state, bool force) {
    if (!TakeState(window, state, force)) {
        return false;
    }
    const Box box = GetWindowBox(window);
    const int cx = GetSystemMetrics(SM_CXMENUCHECK);
    const int cy = GetSystemMetrics(SM_CYMENUCHECK);
    const int top = HalfEven(box.height - cy);
    const LRESULT check = SendMessageA(window, BM_GETCHECK, 0, 0);
    const bool enabled = IsWindowEnabled(window) != FALSE;
    const EngineState& engine = Engine();
    ScopedWindowDC windowDc(window);

    // The ring goes straight onto the window: its key-coloured corners let
    // what the window shows there stay.
    const int s = ToInt(state);
    if (!enabled || (s >= 0 && s <= 2)) {
        const VisualState cell = enabled ? state : VisualState::Disabled;
        StretchSprite(windowDc.get(), 0, top, cx, cy, engine.roundSprite, RoundFrameCell(cell), kRoundFrameMargins,
                      SpriteKeyColour);
    }
    if (check == BST_CHECKED) {
        const Box& dot = enabled ? kDotEnabled : kDotDisabled;
        BlitTransparent(windowDc.get(), HalfEven(cx - dot.width), RoundHalfEven(top + (cy - dot.height) / 2.0),
                        dot.width, dot.height, engine.markSprite, dot.left, dot.top, SpriteKeyColour);
    }
    return true;
}

}  // namespace tarnwick
