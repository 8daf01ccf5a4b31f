#include "style/behave/header_control.h"

#include <commctrl.h>

#include "style/behave/hover.h"
#include "style/model/control_kind.h"
#include "style/model/properties.h"
#include "style/paint/header_painter.h"

namespace tarnwick {

void AttachHeader(HWND header) {
    MarkMouseOutside(header);
    SetIntProp(header, kPropHeaderDownIndex, -1);
    SetIntProp(header, kPropHeaderHotIndex, -1);
}

void DetachHeader(HWND header) {
    RemovePropA(header, kPropMouseFlag);
    RemovePropA(header, kPropHeaderDownIndex);
    RemovePropA(header, kPropHeaderHotIndex);
}

LRESULT PaintHeaderControl(const StyleMessage& message) {
    PaintHeader(message.window, message.PaintDc());
    return 0;
}

void PressHeaderItem(HWND header, POINT point) {
    const LRESULT count = SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
    if (count <= 0) return;
    const int hit = HeaderItemAt(header, point.x);
    SetIntProp(header, kPropHeaderDownIndex, hit);
    if (hit >= 0) PaintHeaderItem(header, nullptr, hit, VisualState::Pressed);
}

void ReleaseHeaderItem(HWND header) {
    const int pressed = GetIntProp(header, kPropHeaderDownIndex);
    SetIntProp(header, kPropHeaderDownIndex, -1);
    if (pressed >= 0) {
        const VisualState state = WindowUnderCursor() == header ? VisualState::Hot : VisualState::Normal;
        PaintHeaderItem(header, nullptr, pressed, state);
    }
}

void HoverHeader(HWND header, POINT point, bool buttonHeld) {
    EnterWindow(header);
    const int hot = GetIntProp(header, kPropHeaderHotIndex);
    const int hit = HeaderItemAt(header, point.x);
    const int pressed = GetIntProp(header, kPropHeaderDownIndex);
    if (hit == hot) return;
    // The old hot item goes back to normal; a pressed item keeps its look.
    if (hot >= 0 && hot != pressed) PaintHeaderItem(header, nullptr, hot, VisualState::Normal);
    if (!buttonHeld) {
        SetIntProp(header, kPropHeaderHotIndex, hit);
        PaintHeaderItem(header, nullptr, hit, VisualState::Hot);
    } else if (hit == pressed) {
        // Back on the pressed item while the button is held.
        PaintHeaderItem(header, nullptr, hit, VisualState::Pressed);
    }
}

void LeaveHeader(HWND header) {
    const int hot = GetIntProp(header, kPropHeaderHotIndex);
    MarkMouseOutside(header);
    SetIntProp(header, kPropHeaderDownIndex, -1);
    SetIntProp(header, kPropHeaderHotIndex, -1);
    if (hot >= 0) PaintHeaderItem(header, nullptr, hot, VisualState::Normal);
}

int ItemAt(const std::vector<RECT>& items, int x) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].left <= x && x <= items[i].right) return static_cast<int>(i);
    }
    return -1;
}

int HeaderItemAt(HWND header, int x) {
    const LRESULT count = SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
    if (count <= 0) return -1;
    std::vector<RECT> items(static_cast<size_t>(count));
    for (size_t i = 0; i < items.size(); ++i) {
        SendMessageA(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&items[i]));
    }
    return ItemAt(items, x);
}

}  // namespace tarnwick
