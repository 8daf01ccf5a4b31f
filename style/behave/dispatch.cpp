#include "style/behave/dispatch.h"

#include <cstdint>

#include "style/behave/kind_table.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "win32/message_param.h"

namespace tarnwick {
namespace {

const KindBehaviour& KindOf(HWND window) { return BehaviourOf(ClassifyWindowHandle(window)); }

// The mouse position of a mouse message, in the window's coordinates; left
// of and above the window (possible while it holds the mouse captured) it
// is negative.
POINT PointOf(LPARAM lParam) {
    const auto value = static_cast<std::uint32_t>(lParam);
    return {SignedLoWord(value), SignedHiWord(value)};
}

// Forwards the message, then lets the kind add its part, unless it has none
// or the forward detached the window (a click that closed it): a window
// detached meanwhile is read again only when some window was detached.
template <class... Parameters, class... Arguments>
LRESULT ForwardThen(const StyleMessage& message, void (*react)(HWND, Parameters...), Arguments... arguments) {
    if (react == nullptr) return message.Forward();
    const std::uint32_t detachmentsBefore = Engine().detachments;
    const LRESULT result = message.Forward();
    if (Engine().detachments != detachmentsBefore && !IsAttached(message.window)) return result;
    react(message.window, arguments...);
    return result;
}

// A kind's part before the forward, if it has one, then its part after it.
LRESULT FirstThen(const StyleMessage& message, void (*first)(HWND), void (*then)(HWND)) {
    if (first != nullptr) first(message.window);
    return ForwardThen(message, then);
}

BOOL CALLBACK RepaintToggleSibling(HWND child, LPARAM) {
    if (IsAttached(child)) {
        if (auto paint = KindOf(child).paintToggle) paint(child, VisualState::Normal, true);
    }
    return TRUE;  // every descendant
}

// BM_SETCHECK and BM_SETSTATE, sent from code or by the control to itself
// during a click: the platform paints its own box or ring over a check box
// or option button when either changes, so the engine's goes back over it
// at once, pressed while pushed, else in the state drawn last.
void RedrawChangedToggle(HWND window, UINT message, WPARAM wParam, bool (*paint)(HWND, VisualState, bool)) {
    const VisualState state = message == BM_SETSTATE
                                  ? (wParam != 0 ? VisualState::Pressed : VisualState::Normal)
                                  : static_cast<VisualState>(GetIntProp(window, kPropOldState));
    paint(window, state, true);
}

// After every left-button release: redraws the attached check boxes and
// option buttons among the descendants of the window's parent (of the
// window itself when it has none), so that option buttons the click
// switched off show it.
void RepaintTogglesUnderParent(HWND window) {
    // A click that closed its window leaves nothing to repaint.
    if (!IsWindow(window)) return;
    HWND parent = GetParent(window);
    EnumChildWindows(parent != nullptr ? parent : window, RepaintToggleSibling, 0);
}

// WM_PAINT and WM_NCPAINT: the kind's painting decides whether and when the
// window's own procedure paints; without one the procedure paints alone.
LRESULT PaintOrForward(const StyleMessage& message, LRESULT (*paint)(const StyleMessage&)) {
    return paint != nullptr ? paint(message) : message.Forward();
}

}  // namespace

LRESULT DispatchByKind(const StyleMessage& m) {
    const HWND window = m.window;
    switch (m.message) {
        case WM_PAINT: return PaintOrForward(m, KindOf(window).paint);
        case WM_NCPAINT: return PaintOrForward(m, KindOf(window).paintFrame);
        case WM_TIMER: return FirstThen(m, KindOf(window).tickFirst, nullptr);
        case WM_SIZE: return ForwardThen(m, KindOf(window).resized);
        case WM_SETFOCUS:
        case WM_KILLFOCUS: return ForwardThen(m, KindOf(window).focusChanged);
        case WM_ENABLE: return ForwardThen(m, KindOf(window).enabled, m.wParam != 0);
        case WM_WINDOWPOSCHANGING: return ForwardThen(m, KindOf(window).moving);
        // Of the keys only the space key presses and releases.
        case WM_KEYDOWN: return m.wParam == VK_SPACE ? ForwardThen(m, KindOf(window).spaceDown) : m.Forward();
        case WM_KEYUP: {
            if (m.wParam != VK_SPACE) return m.Forward();
            const KindBehaviour& kind = KindOf(window);
            return FirstThen(m, kind.spaceUpFirst, kind.spaceUp);
        }
        case WM_LBUTTONDOWN: return ForwardThen(m, KindOf(window).buttonDown, PointOf(m.lParam));
        case WM_LBUTTONDBLCLK: return ForwardThen(m, KindOf(window).doubleClick, PointOf(m.lParam));
        case WM_LBUTTONUP: {
            const KindBehaviour& kind = KindOf(window);
            const LRESULT result = FirstThen(m, kind.buttonUpFirst, kind.buttonUp);
            RepaintTogglesUnderParent(window);
            return result;
        }
        case WM_MOUSEMOVE:
            return ForwardThen(m, KindOf(window).mouseMove, PointOf(m.lParam), (m.wParam & MK_LBUTTON) != 0);
        case WM_MOUSELEAVE: return ForwardThen(m, KindOf(window).mouseLeave);
        case BM_SETSTYLE: {
            const auto keep = KindOf(window).styleFirst;
            if (keep == nullptr) return m.Forward();
            return CallSavedProc(m.saved, window, m.message, keep(window, m.wParam), m.lParam);
        }
        case BM_SETCHECK:
        case BM_SETSTATE: {
            const auto paint = KindOf(window).paintToggle;
            return paint != nullptr ? ForwardThen(m, RedrawChangedToggle, m.message, m.wParam, paint) : m.Forward();
        }
        default: return m.Forward();
    }
}

}  // namespace tarnwick
