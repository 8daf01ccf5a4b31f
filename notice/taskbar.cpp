#include "notice/taskbar.h"

#include <cmath>

#include "form/dpi_scale.h"

namespace tarnwick {

int TaskbarHeightFromWorkArea(double screenHeightTwips, const RECT* workArea, double twipsPerPixel) {
    if (!workArea || workArea->bottom <= workArea->top) return 0;
    double height = std::nearbyint((screenHeightTwips / twipsPerPixel - workArea->bottom) * twipsPerPixel);
    // A strip as tall as the screen leaves no work area at all: the query
    // gave nonsense, and trusting it would park the window above the screen.
    if (height < 0 || height >= screenHeightTwips) return 0;
    return static_cast<int>(height);
}

int GetTaskbarHeight() {
    RECT workArea{0, 0, 0, 0};
    BOOL ok = SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    double twipsPerPixel = ScreenTwipsPerPixel();
    double screenHeight = PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), twipsPerPixel);
    return TaskbarHeightFromWorkArea(screenHeight, ok ? &workArea : nullptr, twipsPerPixel);
}

double NoticeStartTop(double screenHeight, double taskbarHeight, double windowHeight) {
    return screenHeight - taskbarHeight + windowHeight;
}

SlideStep SlideInTick(double top, double screenHeight, double windowHeight, double taskbarHeight) {
    top -= kSlideInStepTwips;
    if (screenHeight - windowHeight >= top) return {screenHeight - windowHeight - taskbarHeight, true};
    return {top, false};
}

SlideStep SlideOutTick(double top, double screenHeight) {
    top += kSlideOutStepTwips;
    return {top, top >= screenHeight};
}

}  // namespace tarnwick
