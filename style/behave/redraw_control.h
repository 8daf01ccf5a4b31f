#pragma once
// The enable handler of most kinds: the whole control drawn again.
#include <windows.h>

namespace tarnwick {

// WM_ENABLE, after the control's own procedure: frames, arrows, boxes and
// rings show the enabled state, and the platform either paints its own look
// over them or only invalidates, so the whole control is drawn again now.
void RedrawControl(HWND window, bool enabled);

}  // namespace tarnwick
