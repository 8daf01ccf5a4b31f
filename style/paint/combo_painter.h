#pragma once
// Combo boxes and drive lists: the drop-down button at the right edge, and
// the frames the engine draws round it. Without `force`, PaintComboButton
// draws nothing when asked for the state it drew last ("OLDSTATE"); when it
// draws, it stores the state first.
#include <windows.h>

#include "style/model/control_kind.h"

namespace tarnwick {

// The drop-down button at the right edge of a combo box or drive list in
// `state`; while the list is open, pressed whatever the state asked for.
// `target` null: the window DC.
void PaintComboButton(HWND window, HDC target, VisualState state, bool force);

// An editable combo box, drawn wholly by the engine on the DC a WM_PAINT
// came with (`lent`), else on BeginPaint's: white face, one outline and the
// drop-down button in the state it was drawn in last. Its edit field is a
// child window and paints itself.
void PaintEditableCombo(HWND combo, HDC lent);

// Over what the combo box's own procedure painted: the double frame and the
// drop-down button in the state it was drawn in last.
void PaintComboOverlay(HWND combo);

// Left edge of the drop-down arrow inside a combo button of the given
// width: (bw - 7) - (bw - 7) / 2 in floating point, rounded once with ties
// to even (bw 17 -> 5, bw 18 -> 6).
int ComboArrowLeft(int buttonWidth);

}  // namespace tarnwick
