#include "style/behave/redraw_control.h"

namespace tarnwick {

void RedrawControl(HWND window, bool) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace tarnwick
