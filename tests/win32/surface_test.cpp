#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "tests/support/gdi_probe.h"
#include "win32/gdi_scope.h"
#include "win32/surface.h"

namespace tarnwick {
namespace {

TEST(Surface, IsTrueColourOfTheGivenSize) {
    HDC surface = CreateSurface(37, 11);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(GetObjectType(surface), static_cast<DWORD>(OBJ_MEMDC));
    HGDIOBJ bitmap = GetCurrentObject(surface, OBJ_BITMAP);
    BITMAP bm{};
    ASSERT_NE(GetObject(bitmap, sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 37);
    EXPECT_EQ(bm.bmHeight, 11);
    EXPECT_EQ(bm.bmBitsPixel * bm.bmPlanes, 24);
    // Colours go in and come out exactly.
    const RECT whole{0, 0, 37, 11};
    FillRect(surface, &whole, GdiObject<HBRUSH>(CreateSolidBrush(0x00E9CFA4)).get());
    SetPixel(surface, 36, 10, 0x00123456);
    EXPECT_EQ(GetPixel(surface, 0, 0), 0x00E9CFA4u);
    EXPECT_EQ(GetPixel(surface, 36, 10), 0x00123456u);
    DeleteSurface(surface);
    EXPECT_EQ(GetObjectType(surface), 0u);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

// A surface to be copied onto a monochrome DC (a mask's) keeps its format.
TEST(Surface, ForAMonochromeReferenceIsMonochrome) {
    OwnedDC mask(CreateCompatibleDC(nullptr));  // holds the one-bit stock bitmap
    OwnedSurface surface(5, 4, mask.get());
    BITMAP bm{};
    ASSERT_NE(GetObject(GetCurrentObject(surface.get(), OBJ_BITMAP), sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmBitsPixel * bm.bmPlanes, 1);
}

TEST(Surface, DegenerateSurfacesAreFreedWhole) {
    // The platform answers sizes of 0 or less with its one-pixel stock
    // bitmap or a failure; either way freeing the surface leaves nothing.
    int before = test::CountGdiObjects().Total();
    for (auto [w, h] : {std::pair{0, 0}, std::pair{0, 5}, std::pair{-4, 10}, std::pair{10, -4}}) {
        DeleteSurface(CreateSurface(w, h));
    }
    DeleteSurface(nullptr);
    EXPECT_EQ(test::CountGdiObjects().Total(), before);
}

}  // namespace
}  // namespace tarnwick
