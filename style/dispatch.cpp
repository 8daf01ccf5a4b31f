#include "style/dispatch.h"

#include <commctrl.h>

#include "style/attach.h"
#include "style/button_painter.h"
#include "style/combo_painter.h"
#include "style/control_kind.h"
#include "style/fade.h"
#include "style/header_painter.h"
#include "style/hover.h"
#include "style/paint_handlers.h"
#include "style/primitives.h"
#include "style/properties.h"
#include "style/toggle_painters.h"
#include "win32/gdi_scope.h"
#include "win32/words.h"

namespace tarnwick {
namespace {

// Pressed image at full opacity at once, any fade stopped; the level goes
// back to 0 for the fade that follows the release.
void ShowButtonPressed(HWND button) {
    SetIntProp(button, kPropOldState, ToInt(VisualState::Pressed));
    ShowStateImageNow(button, nullptr);
    SetIntProp(button, kPropAlphaLevel, 0);
}

// The normal image fades in from `startLevel`; the next mouse move counts
// as entering again.
void ReleaseButtonWithFade(HWND button, int startLevel) {
    SetIntProp(button, kPropMouseFlag, 0);
    SetIntProp(button, kPropOldState, ToInt(VisualState::Normal));
    SetIntProp(button, kPropAlphaLevel, startLevel);
    StartFadeTimer(button);
}

// A release of a push button (left button or space key) takes effect before
// the platform reports the click: the click handler may open a modal
// message box, and while it is open the button is to look released, as the
// platform's own buttons do. The fade from `startLevel` runs in that box's
// message loop.
LRESULT ReleaseThenForward(WNDPROC saved, HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                           int startLevel) {
    ReleaseButtonWithFade(button, startLevel);
    return Forward(saved, button, message, wParam, lParam);
}

void PaintCombo(HWND window, VisualState state) {
    PaintComboButton(window, nullptr, state, false);
}

// Left button down (or double-click) on a header: the item under x becomes
// the pressed one.
void PressHeaderItem(HWND header, LPARAM lParam) {
    const LRESULT count = SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
    if (count <= 0) return;
    const int hit = HeaderItemAt(header, SignedLoWord(static_cast<std::uint32_t>(lParam)));
    SetIntProp(header, kPropHeaderDownIndex, hit);
    if (hit >= 0) PaintHeaderItem(header, nullptr, hit, ToInt(VisualState::Pressed));
}

void PressComboBox(HWND combo, LPARAM lParam) {
    const LONG style = GetWindowLongA(combo, GWL_STYLE);
    if (IsEditableComboStyle(style)) {
        // Only the drop-down button counts.
        const Box box = GetWindowBox(combo);
        const int x = SignedLoWord(static_cast<std::uint32_t>(lParam));
        const int y = SignedHiWord(static_cast<std::uint32_t>(lParam));
        if (!InDropButtonArea(x, y, box.width, box.height, GetSystemMetrics(SM_CXVSCROLL))) return;
    }
    PaintCombo(combo, VisualState::Pressed);
}

}  // namespace

bool IsAttached(HWND window) { return GetIntProp(window, kPropProcAddr) != 0; }

HWND WindowUnderCursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    return WindowFromPoint(cursor);
}

LRESULT CALLBACK StyleWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) return 0;
    const auto saved = GetHandleProp<WNDPROC>(window, kPropProcAddr);
    if (saved == nullptr) return DefaultWindowProc(window, message, wParam, lParam);

    switch (message) {
        case WM_DESTROY: return HandleDestroy(saved, window, message, wParam, lParam);
        case WM_SIZE: return HandleSize(saved, window, message, wParam, lParam);
        case WM_ACTIVATE: return HandleActivate(saved, window, message, wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS: return HandleFocus(saved, window, message, wParam, lParam);
        case WM_ENABLE: return HandleEnable(saved, window, message, wParam, lParam);
        case WM_PAINT: return HandlePaint(saved, window, message, wParam, lParam);
        case WM_WINDOWPOSCHANGING: return HandleWindowPosChanging(saved, window, message, wParam, lParam);
        case WM_NCPAINT: return HandleNcPaint(saved, window, message, wParam, lParam);
        case WM_KEYDOWN: return HandleKeyDown(saved, window, message, wParam, lParam);
        case WM_KEYUP: return HandleKeyUp(saved, window, message, wParam, lParam);
        case WM_TIMER: return HandleFadeTick(saved, window, message, wParam, lParam);
        case WM_ENTERIDLE:
        case WM_CTLCOLORLISTBOX: return HandleLaterWindow(saved, window, message, wParam, lParam);
        case WM_MOUSEMOVE: return HandleMouseMove(saved, window, message, wParam, lParam);
        case WM_LBUTTONDOWN: return HandleLButtonDown(saved, window, message, wParam, lParam);
        case WM_LBUTTONUP: {
            const LRESULT result = HandleLButtonUp(saved, window, message, wParam, lParam);
            RepaintTogglesUnderParent(window);
            return result;
        }
        case WM_LBUTTONDBLCLK: return HandleLButtonDblClk(saved, window, message, wParam, lParam);
        case WM_MOUSELEAVE: return HandleMouseLeave(saved, window, message, wParam, lParam);
        case BM_SETSTYLE: return HandleButtonStyle(saved, window, message, wParam, lParam);
        case BM_SETCHECK:
        case BM_SETSTATE: return HandleToggleChange(saved, window, message, wParam, lParam);
        default: return Forward(saved, window, message, wParam, lParam);
    }
}

LRESULT HandleDestroy(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DetachWindow(window);
    return Forward(saved, window, message, wParam, lParam);
}

LRESULT HandleActivate(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // lParam is the other window of the change: a message box or dialog that
    // this form opened, or another form.
    if (const auto other = reinterpret_cast<HWND>(lParam)) {
        if (GetParent(other) == window || ClassifyWindowHandle(other) == ControlKind::Form) {
            AttachWindow(other);
        }
    }
    return Forward(saved, window, message, wParam, lParam);
}

LRESULT HandleLaterWindow(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (lParam != 0) AttachWindow(reinterpret_cast<HWND>(lParam));
    return result;
}

LRESULT HandleSize(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window) || ClassifyWindowHandle(window) != ControlKind::PushButton) return result;
    const Box box = GetWindowBox(window);
    {
        ScopedWindowDC windowDc(window);
        for (int state = 0; state < 4; ++state) {
            ReplaceStateImageBitmap(window, state, windowDc.get(), box.width, box.height);
        }
        RenderButtonStates(window);
    }
    SetRoundedButtonRegion(window, box);
    return result;
}

LRESULT HandleFocus(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window)) return result;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::PushButton:
            // The images carry the focus rectangle only while focused.
            RenderButtonStates(window);
            SetIntProp(window, kPropAlphaLevel, 0);
            StartFadeTimer(window);
            break;
        case ControlKind::OptionButton:
            PaintOptionButton(window, VisualState::Normal, true);
            break;
        default:
            break;
    }
    return result;
}

LRESULT HandleEnable(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window)) return result;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::PushButton:
            // Opaque, not at the current level: a finished fade leaves it
            // at 0, at which the new state would not show at all.
            SetIntProp(window, kPropOldState, ToInt(wParam != 0 ? VisualState::Normal : VisualState::Disabled));
            ShowStateImageNow(window, nullptr);
            break;
        case ControlKind::Form:
            // A form looks the same either way; it is disabled while its
            // message boxes are open, and redrawing it all then would cost.
            break;
        default:
            // Frames, arrows, boxes and rings show the enabled state, and
            // the platform either paints its own look over them or only
            // invalidates: the whole control is drawn again now.
            RedrawWindow(window, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            break;
    }
    return result;
}

LRESULT HandleWindowPosChanging(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window)) return result;
    const ControlKind kind = ClassifyWindowHandle(window);
    if (kind == ControlKind::ComboBox || kind == ControlKind::DriveList) PaintCombo(window, VisualState::Normal);
    return result;
}

LRESULT HandleKeyDown(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (wParam != VK_SPACE || !IsAttached(window)) return result;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::CheckBox: PaintCheckBox(window, VisualState::Pressed, false); break;
        case ControlKind::OptionButton: PaintOptionButton(window, VisualState::Pressed, false); break;
        case ControlKind::PushButton: ShowButtonPressed(window); break;
        default: break;
    }
    return result;
}

LRESULT HandleKeyUp(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (wParam == VK_SPACE && ClassifyWindowHandle(window) == ControlKind::PushButton) {
        return ReleaseThenForward(saved, window, message, wParam, lParam, 0);
    }
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (wParam != VK_SPACE || !IsAttached(window)) return result;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::CheckBox: PaintCheckBox(window, VisualState::Normal, false); break;
        case ControlKind::OptionButton: PaintOptionButton(window, VisualState::Normal, false); break;
        default: break;
    }
    return result;
}

LRESULT HandleLButtonDown(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window)) return result;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::PushButton: ShowButtonPressed(window); break;
        case ControlKind::ComboBox: PressComboBox(window, lParam); break;
        case ControlKind::DriveList: PaintCombo(window, VisualState::Pressed); break;
        case ControlKind::CheckBox: PaintCheckBox(window, VisualState::Pressed, false); break;
        case ControlKind::OptionButton: PaintOptionButton(window, VisualState::Pressed, false); break;
        case ControlKind::Header: PressHeaderItem(window, lParam); break;
        default: break;
    }
    return result;
}

LRESULT HandleLButtonDblClk(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window)) return result;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::PushButton: ShowButtonPressed(window); break;
        case ControlKind::Header: PressHeaderItem(window, lParam); break;
        default: break;
    }
    return result;
}

LRESULT HandleLButtonUp(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ClassifyWindowHandle(window) == ControlKind::PushButton) {
        return ReleaseThenForward(saved, window, message, wParam, lParam, kReleaseFadeStart);
    }
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window)) return result;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::ComboBox:
        case ControlKind::DriveList:
            PaintCombo(window, WindowUnderCursor() == window ? VisualState::Hot : VisualState::Normal);
            break;
        case ControlKind::CheckBox: PaintCheckBox(window, VisualState::Normal, false); break;
        case ControlKind::OptionButton: PaintOptionButton(window, VisualState::Normal, false); break;
        case ControlKind::Header: {
            const int pressed = GetIntProp(window, kPropHeaderDownIndex);
            SetIntProp(window, kPropHeaderDownIndex, -1);
            if (pressed >= 0) {
                const VisualState state = WindowUnderCursor() == window ? VisualState::Hot : VisualState::Normal;
                PaintHeaderItem(window, nullptr, pressed, ToInt(state));
            }
            break;
        }
        default:
            break;
    }
    return result;
}

LRESULT HandleButtonStyle(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ClassifyWindowHandle(window) != ControlKind::PushButton) return Forward(saved, window, message, wParam, lParam);
    const LONG oldStyle = GetIntProp(window, kPropOldStyle);
    if (!IsOwnerDrawnButtonStyle(oldStyle)) return Forward(saved, window, message, wParam, lParam);
    const LONG type = static_cast<LONG>(wParam) & BS_TYPEMASK;
    SetIntProp(window, kPropOldStyle, (oldStyle & ~BS_TYPEMASK) | type);
    // A type the engine draws stays owner-draw on the screen; a check box or
    // radio type (never asked for by the dialog manager) is the platform's.
    const WPARAM shown = IsOwnerDrawnButtonStyle(type) ? ((wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW)
                                                       : wParam;
    return Forward(saved, window, message, shown, lParam);
}

LRESULT HandleToggleChange(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (!IsAttached(window)) return result;
    // A pushed state shows pressed, a released one normal; a new check is
    // drawn in the state drawn last.
    VisualState state = static_cast<VisualState>(GetIntProp(window, kPropOldState));
    if (message == BM_SETSTATE) state = wParam != 0 ? VisualState::Pressed : VisualState::Normal;
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::CheckBox: PaintCheckBox(window, state, true); break;
        case ControlKind::OptionButton: PaintOptionButton(window, state, true); break;
        default: break;
    }
    return result;
}

BOOL CALLBACK RepaintToggleSiblings(HWND child, LPARAM) {
    if (IsAttached(child)) {
        switch (ClassifyWindowHandle(child)) {
            case ControlKind::CheckBox: PaintCheckBox(child, VisualState::Normal, true); break;
            case ControlKind::OptionButton: PaintOptionButton(child, VisualState::Normal, true); break;
            default: break;
        }
    }
    return TRUE;
}

void RepaintTogglesUnderParent(HWND window) {
    // A click that closed its window leaves nothing to repaint.
    if (!IsWindow(window)) return;
    HWND parent = GetParent(window);
    EnumChildWindows(parent != nullptr ? parent : window, RepaintToggleSiblings, 0);
}

}  // namespace tarnwick
