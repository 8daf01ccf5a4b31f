#pragma once
// Push buttons: four state images ("HDC0".."HDC3") drawn once, then blended
// onto the button with a constant opacity ("ALPHALEVEL"). Painters draw into
// the window's whole area (GetWindowDC, origin at the outer top-left corner,
// released before they return) or into a DC the caller lends (used
// unchanged, not released), and never call the control's own procedure.
#include <windows.h>

#include <optional>

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
// What a caller knows of the look already, having read or written it in
// the same message: those properties are not read again.
struct KnownLook {
    std::optional<LONG> oldStyle = std::nullopt;
    std::optional<int> state = std::nullopt;
    std::optional<int> alpha = std::nullopt;
};
// Reads the look; a disabled button's "OLDSTATE" becomes 3 (written only
// when it was not 3 already).
ButtonLook ReadButtonLook(HWND button, const KnownLook& known = {});
// Blends the look's image onto the button with its opacity (clamped to
// 0..255; 0 draws nothing, 255 copies). Buttons that are not owner-drawn
// are left alone. `target` null: the window DC.
void BlendButtonLook(HWND button, HDC target, const ButtonLook& look);

// Blends the image of state "OLDSTATE" onto the button with constant opacity
// "ALPHALEVEL": BlendButtonLook of ReadButtonLook.
void PaintButton(HWND button, HDC target);

}  // namespace tarnwick
