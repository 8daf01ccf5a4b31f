#include "style/behave/hover.h"

#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "win32/system_library.h"

namespace tarnwick {

bool EnterWindow(HWND window) {
    if (GetIntProp(window, kPropMouseFlag) != 0) return false;
    SetIntProp(window, kPropMouseFlag, 1);
    TrackMouseLeave(window);
    return true;
}

void MarkMouseOutside(HWND window) { SetIntProp(window, kPropMouseFlag, 0); }

void TrackMouseLeave(HWND window) {
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof request;
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = window;
    request.dwHoverTime = 0;
    if (TrackMouseEventProc track = MouseTrackingEntry(Engine().trackMouseFromUser32)) track(&request);
}

HWND WindowUnderCursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    return WindowFromPoint(cursor);
}

void AttachHoverState(HWND window) {
    MarkMouseOutside(window);
    SetIntProp(window, kPropOldState, 0);
}

void DetachHoverState(HWND window) {
    RemovePropA(window, kPropMouseFlag);
    RemovePropA(window, kPropOldState);
}

}  // namespace tarnwick
