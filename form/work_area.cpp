#include "form/work_area.h"

#include <algorithm>
#include <cmath>

namespace tarnwick {

Box WorkArea() {
    RECT r{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0) && r.right > r.left && r.bottom > r.top) {
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Box KeptInside(const Box& window, const Box& area) {
    Box kept = window;
    // The right and bottom edges first, so that the left and top edges win
    // where the window does not fit.
    kept.left = std::max(area.left, std::min(window.left, area.Right() - window.width));
    kept.top = std::max(area.top, std::min(window.top, area.Bottom() - window.height));
    return kept;
}

Box CentredOnScreen(int width, int height) {
    const Box centred{static_cast<int>(std::nearbyint((GetSystemMetrics(SM_CXSCREEN) - width) / 2.0)),
                      static_cast<int>(std::nearbyint((GetSystemMetrics(SM_CYSCREEN) - height) / 2.0)), width,
                      height};
    return KeptInside(centred, WorkArea());
}

}  // namespace tarnwick
