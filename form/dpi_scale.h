#pragma once
// DPI scaling: window layouts are designed in twips (1/1440 inch) and the
// screen works in pixels, so a layout grows with the screen's pixels per
// inch. At 96 dots per inch (100 %) there are 15 twips to a pixel.
#include "win32/box.h"

namespace tarnwick {

inline constexpr int kTwipsPerInch = 1440;
// The screen's pixels per inch at 100 %, and the twips per pixel there: what
// a window's layout assumes until it has asked the screen.
inline constexpr int kStandardPixelsPerInch = 96;
inline constexpr double kStandardTwipsPerPixel = static_cast<double>(kTwipsPerInch) / kStandardPixelsPerInch;

// Twips per pixel for a device with the given logical pixels per inch.
double TwipsPerPixel(int pixelsPerInch);
// Twips per pixel of the screen, from its horizontal logical pixels per inch.
double ScreenTwipsPerPixel();

// Nearest whole pixel; a value exactly half way goes to the even pixel.
int TwipsToPixels(double twips, double twipsPerPixel);
double PixelsToTwips(int pixels, double twipsPerPixel);

// Each of the four values is converted on its own, as the layout gives them.
Box TwipsToPixels(const Box& twips, double twipsPerPixel);

}  // namespace tarnwick
