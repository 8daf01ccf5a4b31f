#pragma once
// What differs per control kind, in one table: whether a kind holds other
// controls, which properties it carries from attach to detach, how it
// paints, and how it answers the mouse and the keyboard. AttachWindow,
// DetachWindow and the dispatch look a window's row up once per message,
// from its class name, and call what the row names. An empty entry means
// that the kind adds nothing there: the message goes to the window's own
// procedure and that is all.
#include <windows.h>

#include "style/behave/style_message.h"
#include "style/model/control_kind.h"

namespace tarnwick {

struct KindBehaviour {
    // A form: its descendants are attached before it and detached with it.
    bool holdsControls = false;
    // The properties the kind carries: set at attach, and removed (with the
    // objects they hold) at detach.
    void (*attach)(HWND window) = nullptr;
    void (*detach)(HWND window) = nullptr;

    // WM_PAINT and WM_NCPAINT: the handler decides whether and when the
    // window's own procedure paints.
    LRESULT (*paint)(const StyleMessage& message) = nullptr;
    LRESULT (*paintFrame)(const StyleMessage& message) = nullptr;

    // Before the window's own procedure sees the message:
    void (*tickFirst)(HWND window) = nullptr;                    // WM_TIMER
    void (*buttonUpFirst)(HWND window) = nullptr;                // WM_LBUTTONUP
    void (*spaceUpFirst)(HWND window) = nullptr;                 // WM_KEYUP of the space key
    WPARAM (*styleFirst)(HWND window, WPARAM style) = nullptr;   // BM_SETSTYLE: the style passed on

    // After it, unless that detached the window (its click closed it):
    void (*resized)(HWND window) = nullptr;                      // WM_SIZE
    void (*focusChanged)(HWND window) = nullptr;                 // WM_SETFOCUS, WM_KILLFOCUS
    void (*enabled)(HWND window, bool enabled) = nullptr;        // WM_ENABLE
    void (*moving)(HWND window) = nullptr;                       // WM_WINDOWPOSCHANGING
    void (*spaceDown)(HWND window) = nullptr;                    // WM_KEYDOWN of the space key
    void (*spaceUp)(HWND window) = nullptr;                      // WM_KEYUP of the space key
    void (*buttonDown)(HWND window, POINT point) = nullptr;      // WM_LBUTTONDOWN
    void (*doubleClick)(HWND window, POINT point) = nullptr;     // WM_LBUTTONDBLCLK
    void (*buttonUp)(HWND window) = nullptr;                     // WM_LBUTTONUP
    void (*mouseMove)(HWND window, POINT point, bool buttonHeld) = nullptr;  // WM_MOUSEMOVE
    void (*mouseLeave)(HWND window) = nullptr;                   // WM_MOUSELEAVE

    // Check boxes and option buttons: their painter, which draws them again
    // after BM_SETCHECK and BM_SETSTATE (in the look drawn last, or pressed
    // while pushed) and after any left-button release under the same parent
    // (normal).
    bool (*paintToggle)(HWND window, VisualState state, bool force) = nullptr;
};

// The row of a kind.
const KindBehaviour& BehaviourOf(ControlKind kind);

}  // namespace tarnwick
