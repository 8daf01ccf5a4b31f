#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "tests/support/gdi_probe.h"
#include "tests/support/pixels.h"
#include "win32/surface.h"

namespace tarnwick {
namespace {

using test::ColourText;
using test::DibCanvas;
using test::kMarker;

// A colour of its own for every source pixel, never the key colour.
COLORREF CellColour(int x, int y) { return RGB(16 + x * 9, 8 + y * 11, 200 - x * 3 - y * 2); }

// A source canvas holding a cell of w x h unique colours at (cx, cy).
void PaintCell(DibCanvas& source, int cx, int cy, int w, int h) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            source.Set(cx + x, cy + y, CellColour(x, y));
        }
    }
}

TEST(StretchSprite, ButtonCellKeepsItsCornersAndStretchesItsMiddle) {
    DibCanvas source(12, 30);
    PaintCell(source, 2, 5, 7, 21);
    DibCanvas dest(85, 35);
    const int X = 4, Y = 6;
    EXPECT_NE(StretchSprite(dest.dc(), X, Y, 75, 23, source.dc(), 2, 5, 7, 21, 3, 3, 3, 3), 0);

    // The four 3 x 3 corners, pixel for pixel.
    for (int dy = 0; dy < 3; ++dy) {
        for (int dx = 0; dx < 3; ++dx) {
            SCOPED_TRACE(std::to_string(dx) + "," + std::to_string(dy));
            EXPECT_EQ(ColourText(dest.At(X + dx, Y + dy)), ColourText(CellColour(dx, dy)));
            EXPECT_EQ(ColourText(dest.At(X + 72 + dx, Y + dy)), ColourText(CellColour(4 + dx, dy)));
            EXPECT_EQ(ColourText(dest.At(X + dx, Y + 20 + dy)), ColourText(CellColour(dx, 18 + dy)));
            EXPECT_EQ(ColourText(dest.At(X + 72 + dx, Y + 20 + dy)), ColourText(CellColour(4 + dx, 18 + dy)));
        }
    }
    // Which source row each destination row shows, read off column 0.
    std::vector<int> sourceRow(23, -1);
    for (int y = 0; y < 23; ++y) {
        for (int r = 0; r < 21; ++r) {
            if (dest.At(X, Y + y) == CellColour(0, r)) {
                sourceRow[y] = r;
            }
        }
        SCOPED_TRACE(y);
        ASSERT_NE(sourceRow[y], -1);
    }
    // Rows 0-2 and 20-22 are the fixed edges; rows 3-19 stretch rows 3-17.
    EXPECT_EQ(sourceRow[3], 3);
    EXPECT_EQ(sourceRow[19], 17);
    for (int y = 4; y < 20; ++y) {
        EXPECT_GE(sourceRow[y], sourceRow[y - 1]);
    }
    for (int y = 0; y < 23; ++y) {
        SCOPED_TRACE("row " + std::to_string(y));
        int r = sourceRow[y];
        // The middle column of the cell fills columns 3 to 71 ...
        for (int x = 3; x <= 71; ++x) {
            ASSERT_EQ(ColourText(dest.At(X + x, Y + y)), ColourText(CellColour(3, r))) << "column " << x;
        }
        // ... between the unscaled side columns.
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(ColourText(dest.At(X + c, Y + y)), ColourText(CellColour(c, r)));
            EXPECT_EQ(ColourText(dest.At(X + 72 + c, Y + y)), ColourText(CellColour(4 + c, r)));
        }
    }
    EXPECT_EQ(dest.CountOutsideNot(X, Y, 75, 23, kMarker), 0);
}

TEST(StretchSprite, ComboCellKeepsTwoColumnsLeftAndOneRight) {
    DibCanvas source(4, 18);
    PaintCell(source, 0, 0, 4, 18);
    DibCanvas dest(17, 19);
    StretchSprite(dest.dc(), 0, 0, 17, 19, source.dc(), 0, 0, 4, 18, 2, 1, 1, 1);
    for (int y = 0; y < 19; ++y) {
        SCOPED_TRACE(y);
        int r = -1;
        for (int candidate = 0; candidate < 18; ++candidate) {
            if (dest.At(0, y) == CellColour(0, candidate)) {
                r = candidate;
            }
        }
        ASSERT_NE(r, -1);
        if (y == 0) {
            EXPECT_EQ(r, 0);
        }
        if (y == 18) {
            EXPECT_EQ(r, 17);
        }
        EXPECT_EQ(ColourText(dest.At(1, y)), ColourText(CellColour(1, r)));
        for (int x = 2; x <= 15; ++x) {
            EXPECT_EQ(ColourText(dest.At(x, y)), ColourText(CellColour(2, r))) << "column " << x;
        }
        EXPECT_EQ(ColourText(dest.At(16, y)), ColourText(CellColour(3, r)));
    }
}

TEST(StretchSprite, WithoutPositiveMarginsItIsOneStretch) {
    struct Case {
        int margin;
        int width;
        int height;
    };
    DibCanvas source(12, 30);
    PaintCell(source, 0, 0, 12, 30);
    for (Case c : {Case{0, 30, 10}, Case{0, 5, 40}, Case{0, 7, 21}, Case{-1, 30, 10}}) {
        SCOPED_TRACE("margins " + std::to_string(c.margin) + ", " + std::to_string(c.width) + "x" +
                     std::to_string(c.height));
        DibCanvas viaSprite(c.width + 4, c.height + 4);
        DibCanvas reference(c.width + 4, c.height + 4);
        const int m = c.margin;
        StretchSprite(viaSprite.dc(), 2, 2, c.width, c.height, source.dc(), 2, 3, 7, 21, m, m, m, m);
        // Same format as the sprite surface, then one StretchBlt as the
        // operation does it.
        OwnedSurface surface(c.width, c.height);
        StretchBlt(surface.get(), 0, 0, c.width, c.height, source.dc(), 2 + m, 3 + m, 7 - m, 21 - m, SRCCOPY);
        BitBlt(reference.dc(), 2, 2, c.width, c.height, surface.get(), 0, 0, SRCCOPY);
        EXPECT_EQ(viaSprite.Pixels(), reference.Pixels());
    }
}

TEST(StretchSprite, NothingToDrawReturnsZeroAndCreatesNothing) {
    DibCanvas source(7, 21);
    PaintCell(source, 0, 0, 7, 21);
    struct Case {
        int width, height, sourceWidth, sourceHeight;
    };
    for (Case c : {Case{0, 23, 7, 21}, Case{75, 0, 7, 21}, Case{75, 23, 0, 21}, Case{75, 23, 7, 0}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " from " +
                     std::to_string(c.sourceWidth) + "x" + std::to_string(c.sourceHeight));
        DibCanvas dest(80, 30);
        int before = test::CountGdiObjects().Total();
        EXPECT_EQ(StretchSprite(dest.dc(), 1, 1, c.width, c.height, source.dc(), 0, 0, c.sourceWidth,
                                c.sourceHeight, 3, 3, 3, 3, SpriteKeyColour),
                  0);
        EXPECT_EQ(StretchSprite(dest.dc(), 1, 1, c.width, c.height, source.dc(), 0, 0, c.sourceWidth,
                                c.sourceHeight, 3, 3, 3, 3),
                  0);
        EXPECT_EQ(test::CountGdiObjects().Total(), before);
        EXPECT_EQ(dest.CountOutsideNot(0, 0, 0, 0, kMarker), 0);
    }
}

TEST(StretchSprite, KeyColourShowsTheDestinationThrough) {
    DibCanvas source(5, 5);
    PaintCell(source, 0, 0, 5, 5);
    source.Set(0, 0, SpriteKeyColour);
    source.Set(4, 4, SpriteKeyColour);
    DibCanvas dest(12, 12);
    EXPECT_EQ(StretchSprite(dest.dc(), 1, 1, 10, 10, source.dc(), 0, 0, 5, 5, 1, 1, 1, 1, SpriteKeyColour), 1);
    // The key corners leave the marker; the rest is the cell.
    EXPECT_EQ(ColourText(dest.At(1, 1)), ColourText(kMarker));
    EXPECT_EQ(ColourText(dest.At(10, 10)), ColourText(kMarker));
    EXPECT_EQ(ColourText(dest.At(10, 1)), ColourText(CellColour(4, 0)));
    EXPECT_EQ(ColourText(dest.At(1, 10)), ColourText(CellColour(0, 4)));
    EXPECT_EQ(ColourText(dest.At(5, 5)), ColourText(dest.At(6, 6)));  // stretched centre
    EXPECT_EQ(dest.CountOutsideNot(1, 1, 10, 10, kMarker), 0);
}

// Destination pixels that differ from one another, so that any overdraw shows.
void PaintPattern(DibCanvas& canvas) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            canvas.Set(x, y, RGB(x * 7, 255 - y * 5, (x * y) & 0xFF));
        }
    }
}

TEST(BlitTransparent, CellWithoutKeyColourEqualsAnOpaqueCopy) {
    DibCanvas source(9, 8);
    PaintCell(source, 0, 0, 9, 8);
    DibCanvas viaMask(20, 20);
    DibCanvas opaque(20, 20);
    PaintPattern(viaMask);
    PaintPattern(opaque);
    BlitTransparent(viaMask.dc(), 3, 4, 7, 6, source.dc(), 1, 2, SpriteKeyColour);
    BitBlt(opaque.dc(), 3, 4, 7, 6, source.dc(), 1, 2, SRCCOPY);
    EXPECT_EQ(viaMask.Pixels(), opaque.Pixels());
}

TEST(BlitTransparent, CellOfOnlyKeyColourLeavesTheDestination) {
    DibCanvas source(9, 8, SpriteKeyColour);
    DibCanvas dest(20, 20);
    PaintPattern(dest);
    std::vector<COLORREF> before = dest.Pixels();
    BlitTransparent(dest.dc(), 3, 4, 9, 8, source.dc(), 0, 0, SpriteKeyColour);
    EXPECT_EQ(dest.Pixels(), before);
}

TEST(BlitTransparent, KeyPixelsKeepTheDestinationAndOthersAreCopied) {
    DibCanvas source(6, 6);
    PaintCell(source, 0, 0, 6, 6);
    for (int i = 0; i < 6; ++i) {
        source.Set(i, i, SpriteKeyColour);
    }
    source.Set(5, 0, 0x00000000);  // black is a colour like any other
    source.Set(0, 5, 0x00FFFFFF);
    DibCanvas dest(10, 10);
    PaintPattern(dest);
    DibCanvas expected(10, 10);
    PaintPattern(expected);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            if (x != y) expected.Set(2 + x, 3 + y, source.At(x, y));
        }
    }
    BlitTransparent(dest.dc(), 2, 3, 6, 6, source.dc(), 0, 0, SpriteKeyColour);
    EXPECT_EQ(dest.Pixels(), expected.Pixels());
}

TEST(BlitTransparent, SystemColourKeyMatchesItsCurrentValue) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(face, SpriteKeyColour);
    DibCanvas source(4, 1);
    source.Set(0, 0, face);
    source.Set(1, 0, SpriteKeyColour);  // not the key this time
    source.Set(2, 0, 0x00102030);
    source.Set(3, 0, face);
    DibCanvas dest(4, 1, 0x00445566);
    BlitTransparent(dest.dc(), 0, 0, 4, 1, source.dc(), 0, 0, 0x80000000u | COLOR_BTNFACE);
    EXPECT_EQ(ColourText(dest.At(0, 0)), ColourText(0x00445566));
    EXPECT_EQ(ColourText(dest.At(1, 0)), ColourText(SpriteKeyColour));
    EXPECT_EQ(ColourText(dest.At(2, 0)), ColourText(0x00102030));
    EXPECT_EQ(ColourText(dest.At(3, 0)), ColourText(0x00445566));
}

TEST(BlitTransparent, LeavesBothDCsAndAGivenPaletteAsTheyWere) {
    DibCanvas source(5, 5);
    PaintCell(source, 0, 0, 5, 5);
    DibCanvas dest(8, 8);
    SetTextColor(source.dc(), 0x00010203);
    SetBkColor(source.dc(), 0x00040506);
    SetTextColor(dest.dc(), 0x00070809);
    SetBkColor(dest.dc(), 0x000A0B0C);
    HGDIOBJ sourceBitmap = GetCurrentObject(source.dc(), OBJ_BITMAP);
    HGDIOBJ destBitmap = GetCurrentObject(dest.dc(), OBJ_BITMAP);
    HDC screen = GetDC(nullptr);
    HPALETTE palette = CreateHalftonePalette(screen);
    ReleaseDC(nullptr, screen);

    BlitTransparent(dest.dc(), 1, 1, 5, 5, source.dc(), 0, 0, SpriteKeyColour, palette);

    EXPECT_EQ(GetTextColor(source.dc()), 0x00010203u);
    EXPECT_EQ(GetBkColor(source.dc()), 0x00040506u);
    EXPECT_EQ(GetTextColor(dest.dc()), 0x00070809u);
    EXPECT_EQ(GetBkColor(dest.dc()), 0x000A0B0Cu);
    EXPECT_EQ(GetCurrentObject(source.dc(), OBJ_BITMAP), sourceBitmap);
    EXPECT_EQ(GetCurrentObject(dest.dc(), OBJ_BITMAP), destBitmap);
    EXPECT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL)) << "a given palette is the caller's";
    EXPECT_EQ(ColourText(dest.At(3, 3)), ColourText(CellColour(2, 2)));
    DeleteObject(palette);
}

}  // namespace
}  // namespace tarnwick
