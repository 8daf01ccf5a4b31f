#pragma once
// Off-screen surfaces: memory DCs that own the bitmap selected into them.
#include <windows.h>

#include "win32/gdi_scope.h"

namespace tarnwick {

// An off-screen surface: a memory DC with a display-compatible bitmap of
// width x height selected into it, owning that bitmap. Returns null when any
// object cannot be made, having freed what it made. Its pixels are undefined
// until drawn. Free it with DeleteSurface (or hold it in an OwnedSurface).
HDC CreateSurface(int width, int height);

// Frees a surface: the memory DC and the bitmap selected into it. DeleteDC
// alone would leave the bitmap allocated. Null is ignored.
void DeleteSurface(HDC surface);

// Owns a surface and frees it with DeleteSurface.
class OwnedSurface : public OwnedHandle<HDC, &DeleteSurface> {
public:
    using OwnedHandle::OwnedHandle;
    OwnedSurface(int width, int height) : OwnedHandle(CreateSurface(width, height)) {}
};

}  // namespace tarnwick
