#pragma once
// Where the notice window stands: the taskbar height below the work area
// and the arithmetic of sliding in and out. Positions are in twips.
#include <windows.h>

namespace tarnwick {

// Height in twips of the screen strip below the work area: the taskbar's
// height when it sits at the bottom, 0 when it sits on another edge or is
// hidden. `workArea` is null when the work area could not be queried; that,
// an empty work area and a strip as tall as the screen count as no taskbar.
int TaskbarHeightFromWorkArea(double screenHeightTwips, const RECT* workArea, double twipsPerPixel);

// The same for the primary screen and its current work area.
int GetTaskbarHeight();

inline constexpr double kSlideInStepTwips = 50;   // per tick of the slide-in timer
inline constexpr double kSlideOutStepTwips = 60;  // per tick of the slide-out timer

struct SlideStep {
    double top;     // the window's new Top
    bool finished;  // the slide is over: stop its timer
};

// The Top at load: right below the taskbar by one full window height, out
// of sight.
double NoticeStartTop(double screenHeight, double taskbarHeight, double windowHeight);
// One tick of the slide-in. Once the window's bottom edge reaches the
// screen's bottom edge it is put on top of the taskbar and the slide ends.
SlideStep SlideInTick(double top, double screenHeight, double windowHeight, double taskbarHeight);
// One tick of the slide-out; it ends when the window is wholly below the
// screen.
SlideStep SlideOutTick(double top, double screenHeight);

}  // namespace tarnwick
