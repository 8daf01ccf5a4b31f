#pragma once
// What headers do while they are attached: the engine paints them whole,
// lights the item under the mouse ("HMINDEX") and shows the item the left
// button went down on pressed ("HDINDEX") until it comes up again or the
// mouse leaves. Both indexes are -1 for no item.
#include <windows.h>

#include <vector>

#include "style/behave/style_message.h"

namespace tarnwick {

// Attach: the hover flag and no item hot or pressed; detach removes them.
void AttachHeader(HWND header);
void DetachHeader(HWND header);

// WM_PAINT: the whole header, without its own procedure.
LRESULT PaintHeaderControl(const StyleMessage& message);

// After the header's own procedure:
// WM_LBUTTONDOWN, WM_LBUTTONDBLCLK: the item under the point becomes the
// pressed one.
void PressHeaderItem(HWND header, POINT point);
// WM_LBUTTONUP: the pressed item is drawn hot when the cursor is still on
// the header, else normal; no item is pressed any more.
void ReleaseHeaderItem(HWND header);
// WM_MOUSEMOVE: the item under the cursor lights up and the old one goes
// back to normal; a pressed item keeps its look, and lights up again when
// the cursor comes back to it with the button held.
void HoverHeader(HWND header, POINT point, bool buttonHeld);
// WM_MOUSELEAVE: ends a press as well as the hover.
void LeaveHeader(HWND header);

// The first of the item spans [left, right] (both ends inclusive) that
// holds x, or -1. A point on the line between two items belongs to the
// lower index.
int ItemAt(const std::vector<RECT>& items, int x);

// The header item under x, from the header's own item rectangles; -1 when
// none is, or the header has no items.
int HeaderItemAt(HWND header, int x);

}  // namespace tarnwick
