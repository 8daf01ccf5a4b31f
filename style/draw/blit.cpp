#include "style/draw/blit.h"

#include <array>

#include "style/draw/back_buffer.h"
#include "win32/gdi_scope.h"
#include "win32/surface.h"
#include "win32/system_library.h"

namespace tarnwick {
namespace {

// DSna: destination AND NOT source. Clears the destination where the
// (monochrome, expanded to white) source is set.
constexpr DWORD kDestinationAndNotSource = 0x00220326;

// One piece of the nine-slice copy: where it comes from on the source and
// where it goes on the surface.
struct Piece {
    bool drawn;
    bool stretched;  // StretchBlt, or an unscaled BitBlt for the corners
    int sourceX, sourceY, sourceWidth, sourceHeight;
    int x, y, width, height;
};

}  // namespace

bool StretchSprite(HDC destination, int x, int y, int width, int height,
                  HDC source, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                  int marginLeft, int marginTop, int marginRight, int marginBottom,
                  std::optional<COLORREF> keyColour) {
    const int dw = width, dh = height;
    const int sx = sourceX, sy = sourceY, sw = sourceWidth, sh = sourceHeight;
    const int l = marginLeft, t = marginTop, r = marginRight, b = marginBottom;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) {
        return false;
    }

    // The platform's default stretching mode applies to every StretchBlt.
    BackBuffer surface(dw, dh);
    HDC s = surface.get();

    if (l <= 0 && r <= 0 && t <= 0 && b <= 0) {
        StretchBlt(s, 0, 0, dw, dh, source, sx + l, sy + t, sw - r, sh - b, SRCCOPY);
    } else {
        // Corners first, then the edges, then the centre. A margin of 0 or
        // less takes part in the arithmetic unchanged.
        const std::array<Piece, 9> pieces{{
            {l > 0 && t > 0, false, sx, sy, l, t, 0, 0, l, t},
            {r > 0 && t > 0, false, sx + sw - r, sy, r, t, dw - r, 0, r, t},
            {l > 0 && b > 0, false, sx, sy + sh - b, l, b, 0, dh - b, l, b},
            {r > 0 && b > 0, false, sx + sw - r, sy + sh - b, r, b, dw - r, dh - b, r, b},
            {l > 0, true, sx, sy + t, l, sh - t - b, 0, t, l, dh - t - b},
            {r > 0, true, sx + sw - r, sy + t, r, sh - t - b, dw - r, t, r, dh - t - b},
            {t > 0, true, sx + l, sy, sw - l - r, t, l, 0, dw - l - r, t},
            {b > 0, true, sx + l, sy + sh - b, sw - l - r, b, l, dh - b, dw - l - r, b},
            {true, true, sx + l, sy + t, sw - l - r, sh - t - b, l, t, dw - l - r, dh - t - b},
        }};
        for (const Piece& p : pieces) {
            if (!p.drawn) {
                continue;
            }
            if (p.stretched) {
                StretchBlt(s, p.x, p.y, p.width, p.height, source, p.sourceX, p.sourceY,
                           p.sourceWidth, p.sourceHeight, SRCCOPY);
            } else {
                BitBlt(s, p.x, p.y, p.width, p.height, source, p.sourceX, p.sourceY, SRCCOPY);
            }
        }
    }

    if (!keyColour) {
        return surface.CopyTo(destination, x, y) != FALSE;
    }
    BlitTransparent(destination, x, y, dw, dh, s, 0, 0, *keyColour, nullptr);
    return true;
}

bool StretchSprite(HDC destination, int x, int y, int width, int height,
                  HDC source, const Box& cell, const Margins& margins,
                  std::optional<COLORREF> keyColour) {
    return StretchSprite(destination, x, y, width, height, source, cell.left, cell.top, cell.width,
                         cell.height, margins.left, margins.top, margins.right, margins.bottom,
                         keyColour);
}

void BlitTransparent(HDC destination, int x, int y, int width, int height,
                     HDC source, int sourceX, int sourceY, DWORD keyColour, HPALETTE palette) {
    const int w = width, h = height;
    // The screen's DC is borrowed, not created, for the reason CreateSurface
    // gives: a DC made for the display driver costs several times as much,
    // and this runs for every tick, dot and arrow drawn. Its surfaces have
    // the same colour format.
    ScopedWindowDC display(nullptr, ScopedWindowDC::Area::Client);

    GdiObject<HPALETTE> halftone;
    if (palette == nullptr) {
        halftone.reset(CreateHalftonePalette(display.get()));
        palette = halftone.get();
    }

    // A system colour (0x800000nn) becomes its current value; a plain
    // colour may come back as a palette-relative 0x02BBGGRR. Only the colour
    // itself counts. Should the translation fail, the value is taken as it
    // stands.
    COLORREF translated = keyColour;
    if (OleTranslateColorProc translate = SystemOleTranslateColor()) translate(keyColour, palette, &translated);
    const COLORREF key = translated & 0x00FFFFFF;

    // The composition: the destination's current pixels ...
    BackBuffer work(w, h, display.get());
    ScopedSelectPalette workPalette(work.get(), palette, true, false);
    BitBlt(work.get(), 0, 0, w, h, destination, x, y, SRCCOPY);

    // ... a copy of the source and a mask that is white where the source
    // has the key colour and black elsewhere.
    OwnedSurface colour(w, h, display.get());
    ScopedSelectPalette colourPalette(colour.get(), palette, true, true);
    HBITMAP maskBitmap = CreateBitmap(w, h, 1, 1, nullptr);
    SetBkColor(colour.get(), GetBkColor(source));
    SetTextColor(colour.get(), GetTextColor(source));
    BitBlt(colour.get(), 0, 0, w, h, source, sourceX, sourceY, SRCCOPY);

    OwnedSurface mask(CreateBitmapSurface(display.get(), maskBitmap));
    SetBkColor(colour.get(), key);
    SetTextColor(colour.get(), 0x00FFFFFF);
    BitBlt(mask.get(), 0, 0, w, h, colour.get(), 0, 0, SRCCOPY);

    // Key pixels of the colour copy turn black: with text colour black and
    // background white, the mask's set bits expand to white.
    SetTextColor(colour.get(), 0x00000000);
    SetBkColor(colour.get(), 0x00FFFFFF);
    BitBlt(colour.get(), 0, 0, w, h, mask.get(), 0, 0, kDestinationAndNotSource);

    // The background survives where the mask is white and turns black
    // where the sprite is opaque (the work DC keeps its default black text
    // and white background); the sprite's pixels are then ORed into the
    // holes.
    BitBlt(work.get(), 0, 0, w, h, mask.get(), 0, 0, SRCAND);
    BitBlt(work.get(), 0, 0, w, h, colour.get(), 0, 0, SRCPAINT);

    // One copy of the composed result.
    work.CopyTo(destination, x, y);
    // On the way out each scratch surface puts its first palette back (the
    // colour copy's forced to background, the work surface's not) before it
    // is freed; the halftone palette and the screen's DC go last, once no
    // DC holds the palette any more.
}

}  // namespace tarnwick
