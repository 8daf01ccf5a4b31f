#pragma once
// Entry of the control style engine: each form's load handler calls it once
// with its own window handle. The first call of the engine's life finds out
// which mouse-tracking entry to use and builds the sprites; every call then
// attaches the form with all its controls. Windows the form opens later
// (message boxes, dialogs, drop-down lists) are attached by the engine
// itself. True when the form was attached now, false when it was attached
// already (or the handle is null).
#include <windows.h>

namespace tarnwick {

bool SkinWindow(HWND window);

}  // namespace tarnwick
