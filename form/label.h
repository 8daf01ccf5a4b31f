#pragma once
// Labels have no window of their own: the form that holds them draws them
// in its paint handler, beneath its child windows, and finds them under the
// mouse by their boxes.
#include <windows.h>

#include <span>
#include <string>

#include "form/dpi_scale.h"

namespace tarnwick {

// A colour as the forms keep it: either a 0x00BBGGRR value or, with the
// high bit set, the index of a system colour resolved when it is drawn.
constexpr COLORREF SystemColour(int index) { return 0x80000000u | static_cast<COLORREF>(index); }
COLORREF ResolveColour(COLORREF colour);

struct Label {
    Box box;                      // pixels, client coordinates of the form
    std::wstring caption;
    COLORREF foreColour = SystemColour(COLOR_BTNTEXT);
    COLORREF backColour = SystemColour(COLOR_BTNFACE);
    bool transparent = false;     // opaque labels fill their box first
};

// Draws the label with the given font; the text wraps within the box and is
// clipped to it.
void DrawLabel(HDC dc, const Label& label, HFONT font);

// The label under a client point: the last one in drawing order whose box
// holds the point, since later labels lie above earlier ones; -1 for none.
int LabelAt(std::span<const Label> labels, POINT point);

}  // namespace tarnwick
