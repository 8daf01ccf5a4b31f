#pragma once
// Copying sprite cells onto controls: a nine-slice stretch that keeps a
// cell's borders exact, and a copy that leaves out one key colour. Both
// compose their result off-screen and touch the destination with one final
// copy, so a control never shows a half-drawn state. They only read the
// source DC and draw into the destination inside the given rectangle; the
// selected objects, colours and modes of both DCs are left as they were.
// Every DC, bitmap and palette they create is deleted before they return.
#include <windows.h>

#include <optional>

#include "style/draw/sprite_cells.h"
#include "win32/box.h"

namespace tarnwick {

// Copies the source rectangle (sx, sy, sw, sh) to the destination rectangle
// (x, y, dw, dh) cut into nine pieces by the margins: the four corners
// unscaled, the edges stretched along their side, the centre both ways.
// When every margin is 0 or less, one StretchBlt of (sx + l, sy + t,
// sw - r, sh - b) to the whole rectangle. A margin of 0 or less on one side
// only means that side has no edge piece and the centre reaches it.
// Without a key colour the copy is opaque; with one, source pixels of that
// colour leave the destination untouched (BlitTransparent).
// Returns false without drawing when dw, dh, sw or sh is 0; otherwise
// whether the final BitBlt succeeded (opaque) or true (transparent). Sizes
// that come out 0 or negative (a destination smaller than two opposite
// margins) go to the platform as they are.
bool StretchSprite(HDC destination, int x, int y, int width, int height,
                  HDC source, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                  int marginLeft, int marginTop, int marginRight, int marginBottom,
                  std::optional<COLORREF> keyColour = std::nullopt);

// The same with the source given as a sprite cell and its margins.
bool StretchSprite(HDC destination, int x, int y, int width, int height,
                  HDC source, const Box& cell, const Margins& margins,
                  std::optional<COLORREF> keyColour = std::nullopt);

// Copies width x height pixels from (sourceX, sourceY) of the source to
// (x, y) of the destination, except the pixels of the key colour, which
// leave the destination as it was. Never scales.
// The key is an OLE_COLOR: a 0x00BBGGRR colour, or 0x800000nn for the
// current value of system colour nn (GetSysColor(nn)); it is translated with
// OleTranslateColor against the palette and only its low 24 bits count.
// Without a palette a halftone palette is made for the call.
void BlitTransparent(HDC destination, int x, int y, int width, int height,
                     HDC source, int sourceX, int sourceY, DWORD keyColour,
                     HPALETTE palette = nullptr);

}  // namespace tarnwick
