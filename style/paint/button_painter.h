#pragma once
// Push buttons: four state images ("HDC0".."HDC3") drawn once, then blended
// onto the button with a constant opacity. Painters draw into the window's
// whole area (GetWindowDC, origin at the outer top-left corner, released
// before they return) or into a DC the caller lends (used unchanged, not
// released), and never call the control's own procedure. They record
// nothing: what is shown, and how opaque, is the caller's to keep.
#include <windows.h>

namespace tarnwick {

// Draws the button's four state images ("HDC0".."HDC3"): face, caption and,
// while the button has the focus, the focus rectangle.
void RenderButtonStates(HWND button);

// Blends `image` (a state image of the button, of the window's size) onto
// the button with constant opacity `alpha`, held to 0..255: 0 or no image
// draws nothing, 255 copies. `target` null: the window DC.
void BlendButtonImage(HWND button, HDC target, HDC image, int alpha);

}  // namespace tarnwick
