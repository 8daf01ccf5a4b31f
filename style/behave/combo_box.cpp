#include "style/behave/combo_box.h"

#include "style/behave/hover.h"
#include "style/draw/primitives.h"
#include "style/model/control_kind.h"
#include "style/model/properties.h"
#include "style/paint/combo_painter.h"

namespace tarnwick {
namespace {

void PaintCombo(HWND window, VisualState state) { PaintComboButton(window, nullptr, state, false); }

// Whether the point lies on the drop-down button of the editable combo box.
bool OnDropButton(HWND combo, POINT point) {
    const Box box = GetWindowBox(combo);
    return InDropButtonArea(point.x, point.y, box.width, box.height, GetSystemMetrics(SM_CXVSCROLL));
}

}  // namespace

LRESULT PaintComboBox(const StyleMessage& message) {
    if (IsEditableComboStyle(GetWindowLongA(message.window, GWL_STYLE))) {
        PaintEditableCombo(message.window, message.PaintDc());
        return 0;
    }
    return PaintDropDownOverlay(message);
}

LRESULT PaintDropDownOverlay(const StyleMessage& message) {
    const LRESULT result = message.Forward();
    PaintComboOverlay(message.window);
    return result;
}

void RedrawComboButton(HWND window) { PaintCombo(window, VisualState::Normal); }

void PressComboBox(HWND combo, POINT point) {
    // On an editable combo box only the drop-down button counts.
    if (IsEditableComboStyle(GetWindowLongA(combo, GWL_STYLE)) && !OnDropButton(combo, point)) return;
    PaintCombo(combo, VisualState::Pressed);
}

void PressDriveList(HWND window, POINT) { PaintCombo(window, VisualState::Pressed); }

void ReleaseComboButton(HWND window) {
    PaintCombo(window, WindowUnderCursor() == window ? VisualState::Hot : VisualState::Normal);
}

void HoverComboBox(HWND combo, POINT point, bool buttonHeld) {
    EnterWindow(combo);
    VisualState state = HotOrPressed(buttonHeld);
    // The text part of an editable combo box leaves the button normal.
    if (IsEditableComboStyle(GetWindowLongA(combo, GWL_STYLE)) && !OnDropButton(combo, point)) {
        state = VisualState::Normal;
    }
    PaintCombo(combo, state);
}

void HoverDriveList(HWND window, POINT, bool buttonHeld) {
    EnterWindow(window);
    PaintCombo(window, HotOrPressed(buttonHeld));
}

void LeaveComboButton(HWND window) {
    MarkMouseOutside(window);
    PaintCombo(window, VisualState::Normal);
}

bool InDropButtonArea(int x, int y, int width, int height, int scrollBarWidth) {
    return width - scrollBarWidth - 2 <= x && x <= width - 2 && 2 <= y && y <= height - 2;
}

}  // namespace tarnwick
