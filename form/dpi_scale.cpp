#include "form/dpi_scale.h"

#include <windows.h>

#include <cmath>

namespace tarnwick {

double TwipsPerPixel(int pixelsPerInch) {
    // A device that reports nothing sensible is taken as the standard 100 %.
    if (pixelsPerInch <= 0) pixelsPerInch = kStandardPixelsPerInch;
    return static_cast<double>(kTwipsPerInch) / pixelsPerInch;
}

double ScreenTwipsPerPixel() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return TwipsPerPixel(dpi);
}

int TwipsToPixels(double twips, double twipsPerPixel) {
    // The default floating-point rounding mode rounds ties to even.
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

double PixelsToTwips(int pixels, double twipsPerPixel) { return pixels * twipsPerPixel; }

Box TwipsToPixels(const Box& twips, double twipsPerPixel) {
    return {TwipsToPixels(twips.left, twipsPerPixel), TwipsToPixels(twips.top, twipsPerPixel),
            TwipsToPixels(twips.width, twipsPerPixel), TwipsToPixels(twips.height, twipsPerPixel)};
}

}  // namespace tarnwick
