#pragma once
// Where the tool's windows may stand: inside the work area of the primary
// screen (the screen without the taskbar), so that a window larger than a
// small screen at a high DPI setting still shows its top-left corner, where
// its labels and its first items are.
#include <windows.h>

#include "win32/box.h"

namespace tarnwick {

// The work area in pixels; the whole screen when it cannot be queried.
Box WorkArea();

// The window box moved as little as it takes to lie inside `area`; a box
// wider or taller than the area keeps its left or top edge on the area's.
Box KeptInside(const Box& window, const Box& area);

// The box of a window of the given outer size centred on the screen, then
// kept inside the work area.
Box CentredOnScreen(int width, int height);

}  // namespace tarnwick
