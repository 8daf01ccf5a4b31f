#include "style/fade.h"

#include "style/button_painter.h"
#include "style/engine_state.h"
#include "style/properties.h"
#include "win32/system_library.h"

namespace tarnwick {

UINT_PTR StartFadeTimer(HWND window) {
    if (GetIntProp(window, kPropTimerId) != 0) return 0;
    UINT_PTR id = SetTimer(window, kFadeTimerId, kFadeTimerInterval, nullptr);
    SetIntProp(window, kPropTimerId, static_cast<std::int32_t>(id));
    return id;
}

bool StopFadeTimer(HWND window) {
    std::int32_t id = GetIntProp(window, kPropTimerId);
    if (id == 0) return false;
    const bool killed = KillTimer(window, static_cast<UINT_PTR>(id)) != FALSE;
    SetIntProp(window, kPropTimerId, 0);
    return killed;
}

void TrackMouseLeave(HWND window) {
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof request;  // 16
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = window;
    request.dwHoverTime = 0;
    if (TrackMouseEventProc track = MouseTrackingEntry(Engine().trackMouseFromUser32)) track(&request);
}

void ShowStateImageNow(HWND button, HDC target) {
    StopFadeTimer(button);
    SetIntProp(button, kPropAlphaLevel, 255);
    PaintButton(button, target);
}

}  // namespace tarnwick
