#pragma once
// StyleWndProc, the one window procedure of every attached window, and the
// handlers it calls for life-cycle, activation, size, focus, enabling, keys
// and mouse buttons. (Mouse move, mouse leave and the fade tick are in
// hover.h; WM_PAINT and WM_NCPAINT in paint_handlers.h.)
//
// Every handler takes the procedure that was in place before attaching
// ("PROCADDR"), the window and the message, and returns the message result.
// Unless stated otherwise it forwards the message to that procedure first,
// then changes the engine's state and repaints by the window's control kind,
// which it reads afresh from the class name. A window that the forward
// detached (its click closed it) gets nothing more.
#include <windows.h>

#include "win32/subclass.h"

namespace tarnwick {

// Installed by AttachWindow (ReplaceWindowProc). For a window that is not
// attached (any more) it answers with the default procedure; for a null
// handle 0.
LRESULT CALLBACK StyleWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Hands the message to the saved procedure with its own parameters.
inline LRESULT Forward(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallSavedProc(saved, window, message, wParam, lParam);
}

// True while the window carries "PROCADDR".
bool IsAttached(HWND window);

// The window under the cursor (GetCursorPos, WindowFromPoint).
HWND WindowUnderCursor();

// WM_DESTROY: detaches the window (a form with all its descendants) before
// its own procedure sees the message.
LRESULT HandleDestroy(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_ACTIVATE: attaches the other window of the activation change when it is
// owned by (or a child of) this window, or is a form.
LRESULT HandleActivate(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_ENTERIDLE and WM_CTLCOLORLISTBOX: attaches the window in lParam (an
// idle dialog, a combo box's drop-down list) after forwarding.
LRESULT HandleLaterWindow(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_SIZE: a push button gets state images and a region of its new size.
LRESULT HandleSize(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_SETFOCUS and WM_KILLFOCUS: a push button's images are drawn again
// (with or without the focus rectangle) and faded in.
LRESULT HandleFocus(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_ENABLE: a push button shows its normal or disabled image opaque, at
// once; every other kind but a form is drawn again at once.
LRESULT HandleEnable(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_WINDOWPOSCHANGING: combo boxes and drive lists redraw their button.
LRESULT HandleWindowPosChanging(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_KEYDOWN and WM_KEYUP: the space key presses and releases push buttons,
// check boxes and option buttons. A push button is released before the
// key-up is forwarded (the forward reports the click).
LRESULT HandleKeyDown(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HandleKeyUp(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_LBUTTONDOWN, WM_LBUTTONDBLCLK and WM_LBUTTONUP. A push button is
// released before the button-up is forwarded (the forward reports the
// click); every other kind forwards first.
LRESULT HandleLButtonDown(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HandleLButtonDblClk(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HandleLButtonUp(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// BM_SETSTYLE: an owner-drawn push button stays owner-drawn while attached.
// The button type asked for (the dialog manager switches the default button
// between BS_PUSHBUTTON and BS_DEFPUSHBUTTON as the focus moves) is kept in
// "OLDSTYLE", so detaching puts back the type last asked for.
LRESULT HandleButtonStyle(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// BM_SETCHECK and BM_SETSTATE, sent from code or by the control to itself
// during a click: the platform paints its own box or ring over a check box
// or option button when either changes, so the engine's goes back over it
// at once, pressed while pushed, else in the state drawn last.
LRESULT HandleToggleChange(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// EnumChildWindows callback: an attached check box or option button is
// redrawn, forced, in the normal state. Always returns TRUE.
BOOL CALLBACK RepaintToggleSiblings(HWND child, LPARAM);

// After every left-button release: redraws the attached check boxes and
// option buttons among the descendants of the window's parent (of the
// window itself when it has none), so that option buttons the click
// switched off show it.
void RepaintTogglesUnderParent(HWND window);

}  // namespace tarnwick
