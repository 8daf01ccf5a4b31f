#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/test_windows.h"
#include "win32/gdi_scope.h"
#include "win32/surface.h"

namespace tarnwick {
namespace {

bool Alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(GdiScope, GdiObjectDeletesWhatItOwns) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    {
        GdiObject<HBRUSH> owner(brush);
        EXPECT_EQ(owner.get(), brush);
        EXPECT_TRUE(owner);
    }
    EXPECT_FALSE(Alive(brush));
}

TEST(GdiScope, GdiObjectMoveAndReleaseHandOverOwnership) {
    HBRUSH first = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH second = CreateSolidBrush(RGB(4, 5, 6));
    {
        GdiObject<HBRUSH> a(first);
        GdiObject<HBRUSH> b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), first);
        b = GdiObject<HBRUSH>(second);  // the first goes now
        EXPECT_FALSE(Alive(first));
        EXPECT_TRUE(Alive(second));
        HBRUSH released = b.release();
        EXPECT_EQ(released, second);
    }
    EXPECT_TRUE(Alive(second));  // released, so not deleted
    DeleteObject(second);
}

TEST(GdiScope, OwnedDCDeletesTheDC) {
    HDC dc = CreateCompatibleDC(nullptr);
    {
        OwnedDC owner(dc);
        OwnedDC moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.get(), dc);
    }
    EXPECT_FALSE(Alive(dc));
}

TEST(GdiScope, SelectionIsUndoneBeforeTheOwnerDeletesTheBitmap) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ original = GetCurrentObject(dc, OBJ_BITMAP);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    {
        GdiObject<HBITMAP> owner(bitmap);
        ScopedSelectObject select(dc, owner.get());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
        EXPECT_EQ(select.previous(), original);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), original);
    EXPECT_FALSE(Alive(bitmap)) << "the bitmap was still selected when its owner deleted it";
    DeleteDC(dc);
}

TEST(GdiScope, SelectingIntoNullHandlesDoesNothing) {
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    {
        ScopedSelectObject intoNothing(nullptr, brush);
        EXPECT_EQ(intoNothing.previous(), nullptr);
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = GetCurrentObject(dc, OBJ_BRUSH);
    {
        ScopedSelectObject nothing(dc, nullptr);
        EXPECT_EQ(nothing.previous(), nullptr);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), before);
    DeleteDC(dc);
    DeleteObject(brush);
}

TEST(GdiScope, PaletteSelectionIsRestored) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPALETTE original = static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL));
    HPALETTE halftone = CreateHalftonePalette(dc);
    {
        ScopedSelectPalette select(dc, halftone, true, false);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), halftone);
        EXPECT_EQ(select.previous(), original);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), original);
    EXPECT_TRUE(DeleteObject(halftone));
    DeleteDC(dc);
}

TEST(GdiScope, WindowDCIsReleased) {
    test::TestWindow window("Static", "", WS_POPUP, 0, 0, 0, 20, 20);
    ASSERT_TRUE(window);
    HDC borrowed = nullptr;
    {
        ScopedWindowDC dc(window.get());
        ASSERT_TRUE(dc);
        borrowed = dc.get();
        EXPECT_EQ(WindowFromDC(borrowed), window.get());
    }
    // A released window DC no longer belongs to the window.
    EXPECT_NE(WindowFromDC(borrowed), window.get());
    {
        ScopedWindowDC client(window.get(), ScopedWindowDC::Area::Client);
        EXPECT_TRUE(client);
    }
}

TEST(GdiScope, OwnedSurfaceFreesTheDCAndItsBitmap) {
    HDC dc = nullptr;
    HGDIOBJ bitmap = nullptr;
    {
        OwnedSurface surface(8, 6);
        ASSERT_TRUE(surface);
        dc = surface.get();
        bitmap = GetCurrentObject(dc, OBJ_BITMAP);
        EXPECT_TRUE(Alive(bitmap));
    }
    EXPECT_FALSE(Alive(dc));
    EXPECT_FALSE(Alive(bitmap));
}

}  // namespace
}  // namespace tarnwick
