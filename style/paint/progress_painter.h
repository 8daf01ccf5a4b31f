#pragma once
// Progress bars, painted wholly by the engine: a white trough with a flat
// fill, inside a one-pixel outline. Both paintings compose off-screen and
// copy once.
#include <windows.h>

namespace tarnwick {

// The client area, on the DC a WM_PAINT came with (`lent`), else on
// BeginPaint's.
void PaintProgressClient(HWND bar, HDC lent);

// The whole window, frame and client area, on its window DC (WM_NCPAINT).
void PaintProgressFrame(HWND bar);

// How full a progress bar is: PBM_GETPOS / 30000, held to 0..1 so that a
// position beyond the range never draws outside the bar's own area.
double ProgressFraction(HWND bar);

}  // namespace tarnwick
