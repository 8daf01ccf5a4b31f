#pragma once
// A push button's fade: its timer ("TIMERID") and the opacity each tick
// blends the current state image with ("ALPHALEVEL").
#include <windows.h>

#include "style/model/button_properties.h"

namespace tarnwick {

inline constexpr UINT_PTR kFadeTimerId = 1;
inline constexpr UINT kFadeTimerInterval = 15;  // ms
inline constexpr int kFadeStep = 3;             // opacity added per tick
inline constexpr int kLeaveBlendLevel = 140;    // the one hot blend on leave
inline constexpr int kReleaseFadeStart = 60;    // opacity after a left-button release

// The image of the state the button shows fades in from opacity `level`, a
// tick at a time: the level is set and the fade timer started (unless one
// runs already).
void FadeInFrom(PushButtonProperties& button, int level);

// Starts the fade timer unless one runs ("TIMERID" non-zero); returns the
// new timer's identifier, or 0 when none was started.
UINT_PTR StartFadeTimer(PushButtonProperties& button);
// Stops the running fade timer; returns whether KillTimer succeeded, false
// when none ran.
bool StopFadeTimer(PushButtonProperties& button);

// The opacity after one fade tick from `level`, and whether the fade ends
// with it (the step took it past 255; the level then goes back to 0).
struct FadeStep {
    int level;
    bool finished;
};
FadeStep NextFadeLevel(int level);

}  // namespace tarnwick
