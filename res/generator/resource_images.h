#pragma once
// Draws the main window's background picture and the tool's icon, and
// encodes them as a BMP file and an ICO file. Plain C++ with integer
// arithmetic only, so every compiler and every machine produces the same
// bytes: the generated files are committed and a test remakes them.
#include <cstdint>
#include <vector>

namespace tarnwick::resources {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// A picture in memory, rows from the top.
class Image {
public:
    Image(int width, int height, Rgb fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgb& At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// One image of the icon: colours plus a mask that marks see-through pixels.
// A see-through pixel is black in the colour image, so that the AND mask and
// the XOR image together leave the screen unchanged there.
struct IconImage {
    Image colour;
    std::vector<bool> transparent;  // rows from the top, Width() per row
};

// The colour the main window makes transparent through its colour key.
inline constexpr Rgb kKeyGreen{0, 255, 0};

inline constexpr int kBackgroundWidth = 514;
inline constexpr int kBackgroundHeight = 292;
// Radius of the visible panel's rounded corners, in pixels. With this radius
// each corner adds 17 see-through pixels to the one-pixel frame.
inline constexpr int kCornerRadius = 9;
inline constexpr int kIconSizes[] = {32, 64};

// True for the pixels of the background that must be the key green: the
// outermost one-pixel frame and the four rounded corners.
bool IsSeeThrough(int x, int y);

Image DrawBackground();
IconImage DrawIcon(int size);

// A 24-bit, uncompressed, bottom-up BMP file.
std::vector<std::uint8_t> EncodeBmp(const Image& image);
// An ICO file with one 24-bit image (XOR colours plus AND mask) per entry.
std::vector<std::uint8_t> EncodeIcon(const std::vector<IconImage>& images);

// The two files as they are stored in res/.
std::vector<std::uint8_t> BackgroundBmpFile();
std::vector<std::uint8_t> IconFile();

}  // namespace tarnwick::resources
