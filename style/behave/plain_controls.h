#pragma once
// What the engine adds to controls that do not answer the mouse: progress
// bars, painted wholly by the engine, and lists and grids, framed over
// their own painting.
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

}  // namespace tarnwick
