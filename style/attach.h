#pragma once
// Attaching windows to the engine and detaching them again.
//
// An attached window runs StyleWndProc as its window procedure and carries
// the properties its kind needs ("PROCADDR" always; state images, saved
// style and fade state for push buttons; hover state for the other
// interactive kinds). A form is attached together with all its descendants,
// which are attached first, so that every property exists before the first
// message reaches StyleWndProc.
#include <windows.h>

#include "style/primitives.h"

namespace tarnwick {

// Attaches the window (and, for a form, every descendant first). True when
// the window was attached now; false for a null handle, a window that is
// attached already, and a window that belongs to another thread (its
// messages could not pass through this thread's engine, and another
// process's controls must never be switched to owner-draw).
bool AttachWindow(HWND window);

// Undoes AttachWindow exactly (for a form, every descendant first): state
// images freed, fade timer stopped, the button-style bits and the former
// procedure put back, region removed, properties gone. When the last
// attached window goes, the sprites are freed and the engine starts afresh
// on the next SkinWindow. True when the window was detached now, false for
// a null handle or a window that is not attached.
bool DetachWindow(HWND window);

// Puts a new display-compatible bitmap of width x height into the push
// button's state image `state` ("HDC" + state) and frees the bitmap it
// displaces; "BMP" + state names the new one. When no bitmap can be made the
// image keeps the one it has. Used when attaching and when the button is
// resized.
void ReplaceStateImageBitmap(HWND button, int state, HDC reference, int width, int height);

// Gives the push button its rounded outline, a region of the window box's
// size with 3 x 3 corner ellipses; the window owns the region from then on.
void SetRoundedButtonRegion(HWND button, const Box& box);

}  // namespace tarnwick
