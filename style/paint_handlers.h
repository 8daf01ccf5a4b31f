#pragma once
// WM_PAINT and WM_NCPAINT of attached windows, by control kind: forward to
// the saved procedure and draw the engine's frame and parts over it, or
// paint the whole control without forwarding (push buttons, progress bars,
// headers). Both return the message result.
#include <windows.h>

namespace tarnwick {

LRESULT HandlePaint(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HandleNcPaint(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tarnwick
