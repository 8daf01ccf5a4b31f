#pragma once
// Pieces shared by the painters and the paint handlers: the frame colour, the combo arrow's position, header items and
// the progress fraction.
#include <windows.h>

#include <string>

namespace tarnwick {

// BorderColourEnabled for an enabled window, BorderColourDisabled for a
// disabled one.
COLORREF FrameColour(HWND window);

// Left edge of the drop-down arrow inside a combo button of the given
// width: (bw - 7) - (bw - 7) / 2 in floating point, rounded once with ties
// to even (bw 17 -> 5, bw 18 -> 6).
int ComboArrowLeft(int buttonWidth);

// Left edge of a header item's face cell in HeaderSprite: 3 for Hot, 6 for
// Pressed, 0 for Normal and anything else.
int HeaderCellX(int state);

// The caption of a header item (HDM_GETITEMA with HDI_TEXT); empty when the
// item has none or does not exist.
std::wstring ReadHeaderItemText(HWND header, int index);

// Draws one header item onto a surface: the face cell `cellX` stretched
// over (left, 0, width, faceHeight) with one-pixel fixed borders and, when
// the text is not empty, the text in `font`, centred in (left, 0, width,
// textHeight), in the surface's text colour.
void DrawHeaderItem(HDC surface, int left, int width, int faceHeight, int textHeight, int cellX,
                    const std::wstring& text, HFONT font);

// How full a progress bar is: PBM_GETPOS / 30000, held to 0..1 so that a
// position beyond the range never draws outside the bar's own area.
double ProgressFraction(HWND bar);

}  // namespace tarnwick
