#pragma once
// What combo boxes and drive lists do while they are attached: their
// drop-down button, drawn by the engine, looks hot under the mouse and
// pressed while the left button holds it or the list is open. They carry
// the hover flag and the look drawn last (hover.h).
#include <windows.h>

#include "style/behave/style_message.h"

namespace tarnwick {

// WM_PAINT of a combo box: an editable one is painted wholly by the engine,
// any other as PaintDropDownOverlay paints it.
LRESULT PaintComboBox(const StyleMessage& message);
// WM_PAINT of a drop-down list or a drive list: its own procedure paints
// first, then the double frame and the drop-down button go over it.
LRESULT PaintDropDownOverlay(const StyleMessage& message);

// After the control's own procedure:
// WM_WINDOWPOSCHANGING: the drop-down button drawn normal.
void RedrawComboButton(HWND window);
// WM_LBUTTONDOWN: the button drawn pressed; on an editable combo box only
// when the press is on the button itself.
void PressComboBox(HWND combo, POINT point);
void PressDriveList(HWND window, POINT point);
// WM_LBUTTONUP: the button drawn hot when the cursor is still on the
// control, else normal.
void ReleaseComboButton(HWND window);
// WM_MOUSEMOVE: the button drawn hot, or pressed while the left button is
// held; on an editable combo box the text part leaves it normal.
void HoverComboBox(HWND combo, POINT point, bool buttonHeld);
void HoverDriveList(HWND window, POINT point, bool buttonHeld);
// WM_MOUSELEAVE: the button drawn normal.
void LeaveComboButton(HWND window);

// Whether (x, y), in window coordinates, lies on the drop-down button of an
// editable combo box of the given window size: width - b - 2 <= x <=
// width - 2 and 2 <= y <= height - 2, b being the scroll-bar width.
bool InDropButtonArea(int x, int y, int width, int height, int scrollBarWidth);

}  // namespace tarnwick
