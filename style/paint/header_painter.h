#pragma once
// Headers: the whole header (a stretched body column as the background and
// every item's face and caption over it), and one item redrawn on its own
// when the mouse moves over the header or presses an item.
#include <windows.h>

#include <string>

#include "style/model/control_kind.h"

namespace tarnwick {

// The whole header on the DC a WM_PAINT came with (`lent`), else on
// BeginPaint's: the background and every item, pressed ("HDINDEX") before
// hot ("HMINDEX") before normal.
void PaintHeader(HWND header, HDC lent);

// One header item with its text, normal, hot or pressed; nothing for a
// negative index. `target` null: the window DC.
void PaintHeaderItem(HWND header, HDC target, int index, VisualState state);

// Left edge of a header item's face cell in HeaderSprite: 3 for Hot, 6 for
// Pressed, 0 for Normal and Disabled.
int HeaderCellX(VisualState state);

// The caption of a header item (HDM_GETITEMW with HDI_TEXT); empty when the
// item has none or does not exist.
std::wstring ReadHeaderItemText(HWND header, int index);

// Draws one header item onto a surface: the face cell `cellX` stretched
// over (left, 0, width, faceHeight) with one-pixel fixed borders and, when
// the text is not empty, the text in `font`, centred in (left, 0, width,
// textHeight), in the surface's text colour.
void DrawHeaderItem(HDC surface, int left, int width, int faceHeight, int textHeight, int cellX,
                    const std::wstring& text, HFONT font);

}  // namespace tarnwick
