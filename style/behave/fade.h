#pragma once
// A push button's fade: its timer ("TIMERID") and the opacity each tick
// blends the current state image with ("ALPHALEVEL"), rising by 3 a tick.
#include <windows.h>

namespace tarnwick {

inline constexpr UINT_PTR kFadeTimerId = 1;
inline constexpr UINT kFadeTimerInterval = 15;  // ms
inline constexpr int kFadeStep = 3;             // opacity added per tick
inline constexpr int kLeaveBlendLevel = 140;    // the one hot blend on leave
inline constexpr int kReleaseFadeStart = 60;    // opacity after a left-button release

// Starts the fade timer unless one runs ("TIMERID" non-zero); returns the
// new timer's identifier, or 0 when none was started.
UINT_PTR StartFadeTimer(HWND window);
// Stops the running fade timer; returns whether KillTimer succeeded, false
// when none ran.
bool StopFadeTimer(HWND window);

// The opacity after one fade tick from `level`, and whether the fade ends
// with it (the step took it past 255; the level then goes back to 0).
struct FadeStep {
    int level;
    bool finished;
};
FadeStep NextFadeLevel(int level);

}  // namespace tarnwick
