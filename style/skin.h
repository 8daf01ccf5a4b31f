#pragma once
// Entry of the control style engine: each form's load handler calls it once
// with its own window handle.
#include <windows.h>

namespace tarnwick {

LONG SkinWindow(HWND window);

}  // namespace tarnwick
