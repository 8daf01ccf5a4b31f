#pragma once
// Window layouts are designed in twips (1/1440 inch); the screen works in
// pixels. At 96 dots per inch there are 15 twips to a pixel.
namespace tarnwick {

inline constexpr int kTwipsPerInch = 1440;

// A rectangle given as left, top, width and height.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int Right() const { return left + width; }
    constexpr int Bottom() const { return top + height; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < Right() && y >= top && y < Bottom(); }
    friend bool operator==(const Box&, const Box&) = default;
};

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
