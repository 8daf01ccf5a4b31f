#pragma once
// A form's background picture: a bitmap resource of the exe, drawn over the
// whole client area. At 96 dots per inch the client area has the picture's
// own size and the picture is drawn straight from the resource; at other
// settings the layout (in twips) makes the client area larger or smaller,
// and the picture is drawn scaled to it, so that every child window still
// stands on it where the design puts it.
//
// Pixels of the key colour (the form's back colour, which the main window
// makes see-through) stay exact under scaling: the scaled picture's key
// pixels are exactly the nearest-neighbour scaling of the picture's key
// pixels, and no other pixel of it has the key colour. So the window's
// outline scales without a fringe of half-green pixels round it and without
// see-through specks inside it.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace tarnwick {

// A 24-bit top-down picture in memory, rows padded to whole 32-bit words as
// SetDIBitsToDevice takes them. Empty (no pixels) when it could not be made.
struct ScaledPicture {
    BITMAPINFO info{};
    std::vector<std::uint8_t> bits;

    int Width() const { return info.bmiHeader.biWidth; }
    int Height() const { return -info.bmiHeader.biHeight; }
    bool Empty() const { return bits.empty(); }
};

// Scales an uncompressed 24-bit picture to width x height. Key pixels are
// scaled nearest-neighbour; every other pixel is interpolated bilinearly
// from a copy of the picture in which each key pixel has taken the colour
// of the picture around it, so that no key colour bleeds into its
// neighbours; a pixel that would come out in the key colour by chance is
// moved off it by one step of blue. Empty for any other picture format.
ScaledPicture ScalePicture(const BITMAPINFO& info, const void* bits, int width, int height, COLORREF key);

class FormPicture {
public:
    // A bitmap resource of the exe, drawn straight from the resource, so that
    // it takes no memory of its own at its own size (a loaded copy of the
    // main window's picture would be about 440 KB). No picture when the
    // resource is missing or too short for its pixels.
    void Load(int resourceId);

    // Draws the picture over width x height pixels from the DC's origin,
    // scaled when that is not its own size. The scaled copy is kept until
    // the size changes.
    void Draw(HDC dc, int width, int height, COLORREF key);

private:
    const BITMAPINFO* info_ = nullptr;  // in the exe's resources
    const void* bits_ = nullptr;
    ScaledPicture scaled_;
};

}  // namespace tarnwick
