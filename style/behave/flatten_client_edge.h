#pragma once
// The frame handler of most kinds: a sunken client edge drawn flat.
#include <windows.h>

#include "style/behave/style_message.h"

namespace tarnwick {

// WM_NCPAINT: the window's own frame, then a sunken client edge
// (WS_EX_CLIENTEDGE) replaced by a flat one.
LRESULT FlattenClientEdge(const StyleMessage& message);

}  // namespace tarnwick
