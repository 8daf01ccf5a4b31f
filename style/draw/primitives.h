#pragma once
// The small drawing operations all of the engine's painting goes through.
//
// Boxes are given as left, top, width, height (never right and bottom); the
// platform rectangle built from them is left, top, left + width, top +
// height. Colours are 0x00BBGGRR. Brushes live only within one call. Each
// operation returns the result of the platform call it wraps; the engine's
// callers do not check it (a failed allocation leaves a control unpainted
// for that paint).
#include <windows.h>

#include <string_view>

#include "win32/box.h"

namespace tarnwick {

// One line, centred both ways, cut with an ellipsis when it does not fit.
// The only format the engine draws captions with.
inline constexpr UINT kCentredEllipsisFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

// DrawTextW of the text, up to its first NUL if it holds one, into the box.
// Uses the DC's font, text colour and background mode as the caller set them
// and changes none of them. Returns the drawn text's height, 0 on failure.
int DrawTextInRect(HDC dc, std::wstring_view text, int left, int top, int width, int height,
                   UINT format);

// Fills the box with a solid colour (FillRect result).
int FillSolid(HDC dc, int left, int top, int width, int height, COLORREF colour);

// Draws a one-pixel frame of the colour along the inside of the box
// (FrameRect result).
int FrameSolid(HDC dc, int left, int top, int width, int height, COLORREF colour);

// The dotted focus rectangle over the box (DrawFocusRect result). It is drawn
// with XOR, so drawing it twice restores the pixels.
BOOL DrawFocusBox(HDC dc, int left, int top, int width, int height);

// The window's rectangle in screen coordinates, non-client area included, as
// GetWindowRect gives it; all zeros when it cannot be read. Painters use
// only its width and height: drawing on GetWindowDC has its origin at the
// window's outer top-left corner.
Box GetWindowBox(HWND window);

// Thickness of one side of the window's border: (window size - client size
// - scroll bars) / 2 in each direction, rounded with ties to even (a total of
// 5 gives 2). Where the client area of a bordered control begins.
void GetBorderInsets(HWND window, int& horizontal, int& vertical);

}  // namespace tarnwick
