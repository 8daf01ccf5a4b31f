#pragma once
// Check boxes and option buttons: the box or ring with its mark, drawn over
// the left edge of what the platform's own procedure painted. Without
// `force` they draw nothing when asked for the state they drew last
// ("OLDSTATE"); when they draw, they store the state first.
#include <windows.h>

#include "style/model/control_kind.h"

namespace tarnwick {

// The box and its mark at the left edge. True when drawn, false when
// skipped.
bool PaintCheckBox(HWND window, VisualState state, bool force);

// The ring and its dot at the left edge. True when drawn, false when
// skipped.
bool PaintOptionButton(HWND window, VisualState state, bool force);

}  // namespace tarnwick
