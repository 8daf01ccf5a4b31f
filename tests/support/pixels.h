#pragma once
// Pixel canvases for drawing tests: a 32-bit top-down DIB section selected
// into its own memory DC, read back directly from its bits.
//
// Pre-fill with kMarker so that overdraw and clipping mistakes show up as
// changed marker pixels.
#include <windows.h>

#include "win32/surface.h"

#include <string>
#include <vector>

namespace tarnwick::test {

inline constexpr COLORREF kMarker = 0x00AAAAAA;

class DibCanvas {
public:
    ~DibCanvas() { DeleteSurface(surface_); }
    DibCanvas(int width, int height, COLORREF fill = kMarker);
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC dc() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // 0x00BBGGRR of a pixel; flushes pending GDI drawing first.
    COLORREF At(int x, int y) const;
    void Set(int x, int y, COLORREF colour);
    void Fill(COLORREF colour);
    // Copies width x height pixels from (x, y) of a DC to (0, 0) of the canvas.
    void CopyFrom(HDC source, int x, int y);

    // Every pixel, row by row.
    std::vector<COLORREF> Pixels() const;
    // Pixels inside the rectangle [left, left+width) x [top, top+height) that
    // differ from `colour`, and pixels outside it that differ from `outside`.
    int CountInsideNot(int left, int top, int width, int height, COLORREF colour) const;
    int CountOutsideNot(int left, int top, int width, int height, COLORREF outside) const;

    // Writes the canvas as a 24-bit .bmp file, each pixel `scale` x `scale`.
    bool SaveBmp(const std::wstring& path, int scale = 1) const;

private:
    int width_;
    int height_;
    DWORD* bits_ = nullptr;
    HDC surface_;  // owns the DIB section; freed with DeleteSurface
};

// "0x00BBGGRR" for failure messages.
std::string ColourText(COLORREF colour);

// Reads a rectangle of any DC with GetPixel, row by row.
std::vector<COLORREF> ReadPixels(HDC dc, int x, int y, int width, int height);

}  // namespace tarnwick::test
