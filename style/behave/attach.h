#pragma once
// Attaching windows to the engine, detaching them again, and StyleWndProc,
// the window procedure that attaching installs.
//
// An attached window runs StyleWndProc and carries "PROCADDR" (its former
// procedure) and the properties its kind needs (the kind table). A form is
// attached together with all its descendants, which are attached first, so
// that every property exists before the first message reaches StyleWndProc.
// StyleWndProc keeps a window attached through its life: it detaches the
// window when it is destroyed, attaches the windows it opens (message boxes,
// dialogs, drop-down lists), and hands every other message to the window's
// kind (dispatch.h).
#include <windows.h>

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

// Installed by AttachWindow (ReplaceWindowProc). For a window that is not
// attached (any more) it answers with the default procedure; for a null
// handle 0.
LRESULT CALLBACK StyleWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tarnwick
