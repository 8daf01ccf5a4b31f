#pragma once
// The painters: each draws one kind of control in one look from the sprites.
// They draw into the window's whole area (GetWindowDC, origin at the outer
// top-left corner, released before they return) or into a DC the caller
// passes (used unchanged, not released), and never call the control's own
// window procedure.
//
// States are VisualState numbers. Without `force`, PaintComboButton,
// PaintCheckBox and PaintOptionButton draw nothing when asked for the state
// they drew last ("OLDSTATE"); when they draw, they store the state first.
#include <windows.h>

#include "style/control_kind.h"

namespace tarnwick {

// Draws the button's four state images ("HDC0".."HDC3"): face, caption and,
// while the button has the focus, the focus rectangle.
void RenderButtonStates(HWND button);

// What a push button's paint depends on, read from its properties once:
// every read of a window property is a request to the window manager (under
// Wine a round trip to its server), and a fade tick should cost little more
// than its one blend.
struct ButtonLook {
    LONG oldStyle = 0;  // "OLDSTYLE"
    int state = 0;      // "OLDSTATE"; Disabled while the window is disabled
    int alpha = 0;      // "ALPHALEVEL" as stored
    HDC image = nullptr;  // the memory DC of the state's image
};
// Reads the look; a disabled button's "OLDSTATE" becomes 3 (written only
// when it was not 3 already).
ButtonLook ReadButtonLook(HWND button);
// Blends the look's image onto the button with its opacity (clamped to
// 0..255; 0 draws nothing, 255 copies). Buttons that are not owner-drawn
// are left alone. `target` null: the window DC.
void BlendButtonLook(HWND button, HDC target, const ButtonLook& look);

// Blends the image of state "OLDSTATE" onto the button with constant opacity
// "ALPHALEVEL": BlendButtonLook of ReadButtonLook.
void PaintButton(HWND button, HDC target);

// The drop-down button at the right edge of a combo box or drive list. While
// the list is open the state becomes Pressed, in the caller's variable too.
void PaintComboButton(HWND window, HDC target, VisualState& state, bool force);

// The box and its mark at the left edge. True when drawn, false when
// skipped.
bool PaintCheckBox(HWND window, VisualState state, bool force);

// The ring and its dot at the left edge. True when drawn, false when
// skipped.
bool PaintOptionButton(HWND window, VisualState state, bool force);

// One header item with its text in state 0, 1 or 2; nothing for a negative
// index. `target` null: the window DC.
void PaintHeaderItem(HWND header, HDC target, int index, int state);

}  // namespace tarnwick
