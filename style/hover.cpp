#include "style/hover.h"

#include <commctrl.h>

#include "style/button_painter.h"
#include "style/combo_painter.h"
#include "style/control_kind.h"
#include "style/dispatch.h"
#include "style/fade.h"
#include "style/header_painter.h"
#include "style/primitives.h"
#include "style/properties.h"
#include "style/toggle_painters.h"
#include "win32/words.h"

namespace tarnwick {
namespace {

VisualState HotOrPressed(WPARAM keys) {
    return (keys & MK_LBUTTON) != 0 ? VisualState::Pressed : VisualState::Hot;
}

void MoveOverButton(HWND button) {
    if (EnterWindow(button)) {
        // The hot image fades in.
        SetIntProp(button, kPropOldState, ToInt(VisualState::Hot));
        SetIntProp(button, kPropAlphaLevel, 0);
        StartFadeTimer(button);
        return;
    }
    // The button holds the mouse captured during a press and the cursor has
    // left it: the current image at once, opaque.
    if (WindowUnderCursor() != button) ShowStateImageNow(button, nullptr);
}

void MoveOverComboBox(HWND combo, WPARAM keys, LPARAM lParam) {
    EnterWindow(combo);
    VisualState state = HotOrPressed(keys);
    if (IsEditableComboStyle(GetWindowLongA(combo, GWL_STYLE))) {
        // The text part leaves the drop-down button normal.
        const Box box = GetWindowBox(combo);
        const int x = SignedLoWord(static_cast<std::uint32_t>(lParam));
        const int y = SignedHiWord(static_cast<std::uint32_t>(lParam));
        if (!InDropButtonArea(x, y, box.width, box.height, GetSystemMetrics(SM_CXVSCROLL))) {
            state = VisualState::Normal;
        }
    }
    PaintComboButton(combo, nullptr, state, false);
}

void MoveOverHeader(HWND header, WPARAM keys, LPARAM lParam) {
    EnterWindow(header);
    const int hot = GetIntProp(header, kPropHeaderHotIndex);
    const int hit = HeaderItemAt(header, SignedLoWord(static_cast<std::uint32_t>(lParam)));
    const int pressed = GetIntProp(header, kPropHeaderDownIndex);
    if (hit == hot) return;
    // The old hot item goes back to normal; a pressed item keeps its look.
    if (hot >= 0 && hot != pressed) PaintHeaderItem(header, nullptr, hot, ToInt(VisualState::Normal));
    if ((keys & MK_LBUTTON) == 0) {
        SetIntProp(header, kPropHeaderHotIndex, hit);
        PaintHeaderItem(header, nullptr, hit, ToInt(VisualState::Hot));
    } else if (hit == pressed) {
        // Back on the pressed item while the button is held.
        PaintHeaderItem(header, nullptr, hit, ToInt(VisualState::Pressed));
    }
}

void LeaveButton(HWND button) {
    SetIntProp(button, kPropMouseFlag, 0);
    // One blend of the hot image at 140, then the normal image fades in
    // over it.
    SetIntProp(button, kPropOldState, ToInt(VisualState::Hot));
    SetIntProp(button, kPropAlphaLevel, kLeaveBlendLevel);
    PaintButton(button, nullptr);
    SetIntProp(button, kPropOldState, ToInt(VisualState::Normal));
    SetIntProp(button, kPropAlphaLevel, 0);
    StartFadeTimer(button);
}

void LeaveHeader(HWND header) {
    // Leaving ends a press as well as the hover.
    const int hot = GetIntProp(header, kPropHeaderHotIndex);
    SetIntProp(header, kPropMouseFlag, 0);
    SetIntProp(header, kPropHeaderDownIndex, -1);
    SetIntProp(header, kPropHeaderHotIndex, -1);
    if (hot >= 0) PaintHeaderItem(header, nullptr, hot, ToInt(VisualState::Normal));
}

}  // namespace

FadeStep NextFadeLevel(int level) {
    const int next = level + kFadeStep;
    if (next > 255) return {0, true};
    return {next, false};
}

bool InDropButtonArea(int x, int y, int width, int height, int scrollBarWidth) {
    return width - scrollBarWidth - 2 <= x && x <= width - 2 && 2 <= y && y <= height - 2;
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

bool EnterWindow(HWND window) {
    if (GetIntProp(window, kPropMouseFlag) != 0) return false;
    SetIntProp(window, kPropMouseFlag, 1);
    TrackMouseLeave(window);
    return true;
}

LRESULT HandleMouseMove(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window)) return result;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::PushButton:
            MoveOverButton(window);
            break;
        case ControlKind::ComboBox:
            MoveOverComboBox(window, wParam, lParam);
            break;
        case ControlKind::DriveList: {
            EnterWindow(window);
            VisualState state = HotOrPressed(wParam);
            PaintComboButton(window, nullptr, state, false);
            break;
        }
        case ControlKind::CheckBox:
            EnterWindow(window);
            PaintCheckBox(window, HotOrPressed(wParam), true);
            break;
        case ControlKind::OptionButton:
            EnterWindow(window);
            PaintOptionButton(window, HotOrPressed(wParam), true);
            break;
        case ControlKind::Header:
            MoveOverHeader(window, wParam, lParam);
            break;
        default:
            break;
    }
    return result;
}

LRESULT HandleMouseLeave(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window)) return result;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::PushButton:
            LeaveButton(window);
            break;
        case ControlKind::ComboBox:
        case ControlKind::DriveList: {
            SetIntProp(window, kPropMouseFlag, 0);
            VisualState state = VisualState::Normal;
            PaintComboButton(window, nullptr, state, false);
            break;
        }
        case ControlKind::CheckBox:
            SetIntProp(window, kPropMouseFlag, 0);
            PaintCheckBox(window, VisualState::Normal, false);
            break;
        case ControlKind::OptionButton:
            SetIntProp(window, kPropMouseFlag, 0);
            PaintOptionButton(window, VisualState::Normal, false);
            break;
        case ControlKind::Header:
            LeaveHeader(window);
            break;
        default:
            break;
    }
    return result;
}

LRESULT HandleFadeTick(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Any timer message advances a push button's fade: one blend at the
    // current level, then the next level.
    // The button's properties are read once for the tick and the level is
    // the only one written.
    if (ClassifyWindowHandle(window) == ControlKind::PushButton) {
        const ButtonLook look = ReadButtonLook(window);
        BlendButtonLook(window, nullptr, look);
        const FadeStep step = NextFadeLevel(look.alpha);
        if (step.finished) StopFadeTimer(window);
        if (step.level != look.alpha) SetIntProp(window, kPropAlphaLevel, step.level);
    }
    return Forward(saved, window, message, wParam, lParam);
}

}  // namespace tarnwick
