#include "style/behave/fade.h"

namespace tarnwick {

void FadeInFrom(PushButtonProperties& button, int level) {
    button.SetAlpha(level);
    StartFadeTimer(button);
}

UINT_PTR StartFadeTimer(PushButtonProperties& button) {
    if (button.TimerId() != 0) return 0;
    const UINT_PTR id = SetTimer(button.window(), kFadeTimerId, kFadeTimerInterval, nullptr);
    button.SetTimerId(id);
    return id;
}

bool StopFadeTimer(PushButtonProperties& button) {
    const UINT_PTR id = button.TimerId();
    if (id == 0) return false;
    const bool killed = KillTimer(button.window(), id) != FALSE;
    button.SetTimerId(0);
    return killed;
}

FadeStep NextFadeLevel(int level) {
    const int next = level + kFadeStep;
    if (next > 255) return {0, true};
    return {next, false};
}

}  // namespace tarnwick
