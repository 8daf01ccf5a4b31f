#pragma once
// What a push button does while it is attached. It carries four state
// images ("HDC0".."HDC3" with "BMP0".."BMP3"), its former style
// ("OLDSTYLE"), the image it shows ("OLDSTATE"), the opacity of the next
// blend ("ALPHALEVEL"), its fade timer ("TIMERID") and the hover flag
// ("MOUSEFLAG"). Entering, leaving, a release and a change of focus fade the
// new image in, a tick at a time; a press, a paint and enabling show it
// opaque at once.
#include <windows.h>

#include "style/behave/style_message.h"

namespace tarnwick {

// Attach: the state images, drawn; the style switched to owner-draw (for
// push-button types); the properties; the rounded outline. Detach undoes it
// all, down to the style bits the button had.
void AttachPushButton(HWND button);
void DetachPushButton(HWND button);

// WM_PAINT: an owner-drawn push button shows its current image opaque (a
// fade in progress ends here); the platform paints the other button types.
LRESULT PaintPushButton(const StyleMessage& message);

// WM_TIMER, before the button's procedure: one fade tick, a blend at the
// current opacity, whatever the timer.
void TickPushButtonFade(HWND button);

// BM_SETSTYLE, before the button's procedure: the style to pass on. An
// owner-drawn push button stays owner-drawn; the type asked for (the dialog
// manager switches the default button between BS_PUSHBUTTON and
// BS_DEFPUSHBUTTON as the focus moves) is kept in "OLDSTYLE", so detaching
// puts back the type last asked for.
WPARAM KeepPushButtonOwnerDrawn(HWND button, WPARAM style);

// A release (left button or space key) before the button's procedure, which
// reports the click: the click handler may open a modal message box, and
// while it is open the button is to look released, as the platform's own
// buttons do. The normal image fades in from 60 after the left button,
// from 0 after the space key, in that box's message loop.
void ReleasePushButtonClick(HWND button);
void ReleasePushButtonSpace(HWND button);

// After the button's procedure:
// WM_SIZE: state images and an outline of the new size.
void ResizePushButton(HWND button);
// WM_SETFOCUS, WM_KILLFOCUS: the images drawn again, with or without the
// focus rectangle, and faded in.
void RefocusPushButton(HWND button);
// WM_ENABLE: the normal or the disabled image, opaque, at once.
void EnablePushButton(HWND button, bool enabled);
// A press of the space key, the left button or a double-click: the pressed
// image opaque at once, any fade stopped.
void PressPushButton(HWND button);
void PressPushButtonAt(HWND button, POINT point);
// WM_MOUSEMOVE: entering fades the hot image in; a move off the button
// while it holds the mouse captured shows the current image at once.
void HoverPushButton(HWND button, POINT point, bool buttonHeld);
// WM_MOUSELEAVE: one blend of the hot image at 140, then the normal image
// fades in over it.
void LeavePushButton(HWND button);

}  // namespace tarnwick
