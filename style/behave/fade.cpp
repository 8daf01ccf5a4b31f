#include "style/behave/fade.h"

#include "style/model/properties.h"

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

FadeStep NextFadeLevel(int level) {
    const int next = level + kFadeStep;
    if (next > 255) return {0, true};
    return {next, false};
}

}  // namespace tarnwick
