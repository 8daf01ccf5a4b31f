#pragma once
// Hover tracking: how an attached control learns that the mouse entered it
// and left it again. On the first move inside it sets "MOUSEFLAG" and asks
// for one WM_MOUSELEAVE; the leave (and, for push buttons, a release)
// clears the flag, so the next move counts as entering again.
#include <windows.h>

#include "style/model/control_kind.h"

namespace tarnwick {

// Marks the mouse as inside the window: when "MOUSEFLAG" is 0, sets it and
// asks for one WM_MOUSELEAVE. Returns true when the mouse entered just now.
bool EnterWindow(HWND window);

// Marks the mouse as outside the window ("MOUSEFLAG" 0): the next move
// counts as entering.
void MarkMouseOutside(HWND window);

// Asks the platform for one WM_MOUSELEAVE when the cursor leaves the window,
// through the entry the engine found when it started.
void TrackMouseLeave(HWND window);

// The window under the cursor (GetCursorPos, WindowFromPoint).
HWND WindowUnderCursor();

// The look of a control under the mouse: Pressed while the left button is
// held, else Hot.
constexpr VisualState HotOrPressed(bool buttonHeld) {
    return buttonHeld ? VisualState::Pressed : VisualState::Hot;
}

// The hover flag and the look drawn last ("MOUSEFLAG" and "OLDSTATE", both
// 0 at attach) of the kinds that switch to a hot look at once: combo boxes,
// drive lists, check boxes and option buttons.
void AttachHoverState(HWND window);
void DetachHoverState(HWND window);

}  // namespace tarnwick
