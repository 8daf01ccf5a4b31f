#pragma once
// Off-screen surfaces: memory DCs that own the bitmap selected into them.
#include <windows.h>

#include "win32/gdi_scope.h"

namespace tarnwick {

// A bitmap of width x height to draw on off-screen and copy onto
// `reference` (the screen when that is null): a 24-bit DIB section, or for
// a memory DC of fewer colours (a monochrome mask's) one in that DC's own
// format. Null when it cannot be made.
HBITMAP CreateSurfaceBitmap(HDC reference, int width, int height);

// An off-screen surface: a memory DC compatible with `reference`, the DC
// the surface is to be copied onto (the screen when that is null), with a
// CreateSurfaceBitmap of width x height selected into it and owning it.
// Returns null when any object cannot be made, having freed what it made.
// Its pixels are undefined until drawn. Free it with DeleteSurface (or hold
// it in an OwnedSurface).
HDC CreateSurface(int width, int height, HDC reference = nullptr);

// A surface of a bitmap the caller made (a monochrome mask, say): a memory
// DC compatible with `reference` with the bitmap selected into it, owning
// it. Without a bitmap (its creation failed) the DC is made all the same.
// Null when the DC cannot be made; the bitmap is then freed.
HDC CreateBitmapSurface(HDC reference, HBITMAP bitmap);

// A surface whose pixels can be read and written directly: a 32-bit
// top-down DIB section, each pixel 0x00RRGGBB at `*pixels` row by row.
// Null (and `*pixels` null) when it cannot be made. Call GdiFlush before
// reading what GDI drew.
HDC CreatePixelSurface(int width, int height, DWORD** pixels);

// Frees a surface: the memory DC and the bitmap selected into it. DeleteDC
// alone would leave the bitmap allocated. Null is ignored.
void DeleteSurface(HDC surface);

// Owns a surface and frees it with DeleteSurface.
class OwnedSurface : public OwnedHandle<HDC, &DeleteSurface> {
public:
    using OwnedHandle::OwnedHandle;
    OwnedSurface(int width, int height, HDC reference = nullptr)
        : OwnedHandle(CreateSurface(width, height, reference)) {}
};

}  // namespace tarnwick
