#pragma once
// What the engine adds to controls that do not answer the mouse: progress
// bars, painted wholly by the engine, and lists and grids, framed over
// their own painting; and what most kinds share: the flat client edge and
// the redraw when a control is enabled or disabled.
#include <windows.h>

#include "style/behave/style_message.h"

namespace tarnwick {

// Progress bars: WM_PAINT (the client area) and WM_NCPAINT (the whole
// window), both without the bar's own procedure.
LRESULT PaintProgressBar(const StyleMessage& message);
LRESULT PaintProgressBarFrame(const StyleMessage& message);

// Lists (data lists, a combo box's drop-down list): their own painting,
// then the double frame over it.
LRESULT PaintListFrame(const StyleMessage& message);

// Grids: their own painting, then an outline in the frame colour when they
// have a border.
LRESULT PaintGridFrame(const StyleMessage& message);

// WM_NCPAINT of most kinds: the window's own frame, then a sunken client
// edge (WS_EX_CLIENTEDGE) replaced by a flat one.
LRESULT FlattenClientEdge(const StyleMessage& message);

// WM_ENABLE, after the control's own procedure: frames, arrows, boxes and
// rings show the enabled state, and the platform either paints its own look
// over them or only invalidates, so the whole control is drawn again now.
void RedrawControl(HWND window, bool enabled);

}  // namespace tarnwick
