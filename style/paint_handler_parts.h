#pragma once
// The whole-control paintings behind HandlePaint and HandleNcPaint, one per
// control kind that the engine draws itself.
#include <windows.h>

namespace tarnwick {

// Progress bars: the client area on WM_PAINT, the whole window (frame and
// client area) on WM_NCPAINT. Both compose off-screen and copy once.
void PaintProgressClient(HWND bar, WPARAM wParam);
void PaintProgressFrame(HWND bar);

// Headers: the background and every item, pressed ("HDINDEX") before hot
// ("HMINDEX") before normal.
void PaintHeader(HWND header, WPARAM wParam);

// A one-pixel outline in the frame colour with a white line inside it, over
// the whole window.
void DrawDoubleFrame(HWND window, HDC windowDc);

// Replaces the sunken edge of a WS_EX_CLIENTEDGE window with a one-pixel
// outline in the frame colour and the client area's background colour
// inside it, over the whole edge.
void ReplaceClientEdge(HWND window);

}  // namespace tarnwick
