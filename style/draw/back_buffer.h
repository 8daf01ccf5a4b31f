#pragma once
// Drawing off-screen and showing the result with one copy, so that a
// control never shows a half-drawn state.
#include <windows.h>

#include "win32/surface.h"

namespace tarnwick {

// An off-screen surface of width x height, compatible with `reference` (the
// screen when that is null), freed with the buffer. Its pixels are
// undefined until drawn. Without a surface (an allocation failed) drawing
// into it and copying it do nothing.
class BackBuffer {
public:
    BackBuffer(int width, int height, HDC reference = nullptr)
        : surface_(width, height, reference), width_(width), height_(height) {}

    HDC get() const { return surface_.get(); }

    // Copies the whole buffer, or its top-left width x height, to (x, y) of
    // the destination (BitBlt result).
    BOOL CopyTo(HDC destination, int x, int y) const { return CopyTo(destination, x, y, width_, height_); }
    BOOL CopyTo(HDC destination, int x, int y, int width, int height) const {
        return BitBlt(destination, x, y, width, height, surface_.get(), 0, 0, SRCCOPY);
    }

private:
    OwnedSurface surface_;
    int width_;
    int height_;
};

}  // namespace tarnwick
