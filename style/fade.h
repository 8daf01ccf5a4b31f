#pragma once
// The per-button fade timer and leave tracking.
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
// Asks the platform for one WM_MOUSELEAVE when the cursor leaves the window.
void TrackMouseLeave(HWND window);

// Shows the button's current state image ("OLDSTATE") opaque, at once: a
// running fade stops and "ALPHALEVEL" stays 255, so a later blend without
// a new fade is opaque too. `target` null: the window DC.
void ShowStateImageNow(HWND button, HDC target);

}  // namespace tarnwick
