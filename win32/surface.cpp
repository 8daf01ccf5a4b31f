#include "win32/surface.h"

namespace tarnwick {

namespace {

// True when `reference` is a memory DC whose bitmap has fewer than 24 bits
// per pixel: a monochrome mask's DC, or one holding a palette bitmap.
bool DrawsOnFewColours(HDC reference) {
    if (GetObjectType(reference) != OBJ_MEMDC) return false;
    BITMAP bitmap{};
    if (GetObjectW(GetCurrentObject(reference, OBJ_BITMAP), sizeof bitmap, &bitmap) == 0) return false;
    return bitmap.bmBitsPixel * bitmap.bmPlanes < 24;
}

// A top-down DIB section of 24 or 32 bits per pixel, with its pixels at
// `*bits`.
HBITMAP CreateTrueColourBitmap(int width, int height, WORD bitsPerPixel, void** bits) {
    *bits = nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap != nullptr && pixels == nullptr) {
        DeleteObject(bitmap);
        return nullptr;
    }
    *bits = pixels;
    return bitmap;
}

}  // namespace

HBITMAP CreateSurfaceBitmap(HDC reference, int width, int height) {
    // A 24-bit DIB section: GDI draws on it in the process, and copying it
    // onto a window or the screen converts it to whatever the display
    // shows. 24 bits hold every colour, and a button image of 24 bits
    // takes two pages of memory where one of 32 bits takes three. A bitmap of the screen's own format costs twenty times as much
    // to make and select under Wine (about 0.5 ms against 0.03 ms; asking
    // the display for its depth alone costs more than the DIB section), and
    // the engine makes one for every stretched sprite and button image.
    // A memory DC of fewer colours (a monochrome mask's) gets a bitmap in
    // its own format, as the platform makes it.
    void* bits = nullptr;
    if (width > 0 && height > 0 && !(reference != nullptr && DrawsOnFewColours(reference))) {
        return CreateTrueColourBitmap(width, height, 24, &bits);
    }
    if (reference != nullptr) return CreateCompatibleBitmap(reference, width, height);
    ScopedWindowDC screen(nullptr, ScopedWindowDC::Area::Client);
    return screen ? CreateCompatibleBitmap(screen.get(), width, height) : nullptr;
}

HDC CreateSurface(int width, int height, HDC reference) {
    HBITMAP bitmap = CreateSurfaceBitmap(reference, width, height);
    return bitmap != nullptr ? CreateBitmapSurface(reference, bitmap) : nullptr;
}

HDC CreateBitmapSurface(HDC reference, HBITMAP bitmap) {
    HDC memory = CreateCompatibleDC(reference);
    if (memory == nullptr || bitmap == nullptr) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        return memory;
    }
    // A bitmap that cannot be selected is freed at once: the surface owns
    // only what it holds.
    HGDIOBJ displaced = SelectObject(memory, bitmap);
    if (displaced == nullptr || displaced == HGDI_ERROR) {
        DeleteObject(bitmap);
    }
    return memory;
}

HDC CreatePixelSurface(int width, int height, DWORD** pixels) {
    void* bits = nullptr;
    HBITMAP bitmap = CreateTrueColourBitmap(width, height, 32, &bits);
    HDC surface = bitmap != nullptr ? CreateBitmapSurface(nullptr, bitmap) : nullptr;
    *pixels = surface != nullptr ? static_cast<DWORD*>(bits) : nullptr;
    return surface;
}

void DeleteSurface(HDC surface) {
    if (surface == nullptr) {
        return;
    }
    HGDIOBJ bitmap = GetCurrentObject(surface, OBJ_BITMAP);
    DeleteDC(surface);
    // Deleting the DC deselected the bitmap, so it can go now. (Were it the
    // stock one-pixel bitmap, DeleteObject would leave it alone.)
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
}

}  // namespace tarnwick
