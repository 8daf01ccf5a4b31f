#pragma once
// The tool's icon, for the windows' captions and taskbar buttons.
#include <windows.h>

namespace tarnwick {

// The icon from the exe's resources, big or small; null when the module has
// none. Shared, so never destroyed.
HICON LoadToolIcon(bool small);

// Gives the window the tool's icon, big and small.
void SetToolIcon(HWND window);

}  // namespace tarnwick
