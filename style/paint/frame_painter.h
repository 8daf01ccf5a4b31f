#pragma once
// Frames the engine draws over the platform's: the double frame of lists
// and drop-down combo boxes, the outline of a bordered grid, and the flat
// replacement of a sunken client edge.
#include <windows.h>

namespace tarnwick {

// BorderColourEnabled for an enabled window, BorderColourDisabled for a
// disabled one.
COLORREF FrameColour(HWND window);

// A one-pixel outline in the frame colour with a white line inside it, over
// the whole window.
void DrawDoubleFrame(HWND window, HDC windowDc);

// A one-pixel outline in the frame colour round the whole window, on its
// window DC.
void DrawOutline(HWND window);

// Replaces the sunken edge of a WS_EX_CLIENTEDGE window with a one-pixel
// outline in the frame colour and the client area's background colour
// inside it, over the whole edge.
void ReplaceClientEdge(HWND window);

}  // namespace tarnwick
