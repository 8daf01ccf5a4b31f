#pragma once
// The font of every window and child of the tool.
#include <windows.h>

namespace tarnwick {

// The platform's default user-interface font at its size, with the Chinese
// (GB2312) character set, so that the Chinese texts show on any system. On
// a system whose default font has that character set already (Simplified
// Chinese) it is the stock font itself. Shared, so never deleted.
HFONT UiFont();

}  // namespace tarnwick
