#pragma once
// What check boxes and option buttons do while they are attached: the
// engine's box or ring, drawn over what their own procedure painted, looks
// hot under the mouse and pressed while the left button or the space key
// holds it, and is drawn again whenever the platform may have painted over
// it. They carry the hover flag and the look drawn last (hover.h).
//
// The two kinds differ only in their painter (toggle_painters.h), so each
// handler here is made for a painter.
#include <windows.h>

#include "style/behave/hover.h"
#include "style/behave/style_message.h"
#include "style/model/control_kind.h"
#include "style/model/properties.h"

namespace tarnwick {

// PaintCheckBox or PaintOptionButton.
using TogglePainter = bool (*)(HWND window, VisualState state, bool force);

// WM_PAINT: the control's own painting, then the box or ring over it in the
// normal look.
template <TogglePainter Paint>
LRESULT PaintToggle(const StyleMessage& message) {
    const LRESULT result = message.Forward();
    Paint(message.window, VisualState::Normal, true);
    return result;
}

// The normal look, drawn even when it was drawn last: after a change of
// focus (option buttons), and after any release among its siblings.
template <TogglePainter Paint>
void RedrawToggle(HWND window) {
    Paint(window, VisualState::Normal, true);
}

// A press of the space key or the left button: the pressed look.
template <TogglePainter Paint>
void PressToggle(HWND window) {
    Paint(window, VisualState::Pressed, false);
}
template <TogglePainter Paint>
void PressToggleAt(HWND window, POINT) {
    Paint(window, VisualState::Pressed, false);
}

// A release of the space key or the left button: the normal look.
template <TogglePainter Paint>
void ReleaseToggle(HWND window) {
    Paint(window, VisualState::Normal, false);
}

// WM_MOUSEMOVE: the hot look, or the pressed one while the left button is
// held.
template <TogglePainter Paint>
void HoverToggle(HWND window, POINT, bool buttonHeld) {
    EnterWindow(window);
    Paint(window, HotOrPressed(buttonHeld), true);
}

// WM_MOUSELEAVE: the normal look.
template <TogglePainter Paint>
void LeaveToggle(HWND window) {
    MarkMouseOutside(window);
    Paint(window, VisualState::Normal, false);
}

}  // namespace tarnwick
