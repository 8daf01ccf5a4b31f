// Every operation releases what it creates: a few hundred calls leave no
// more live GDI objects than one call did.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "style/draw/back_buffer.h"
#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/sprites.h"
#include "style/model/engine_state.h"
#include "tests/support/gdi_probe.h"
#include "tests/support/pixels.h"
#include "tests/support/test_windows.h"
#include "win32/surface.h"

namespace tarnwick {
namespace {

TEST(GdiHygiene, OperationsLeaveNoObjectsBehind) {
    test::DibCanvas canvas(100, 40, White);
    test::DibCanvas source(20, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 20; ++x) {
            source.Set(x, y, (x + y) % 3 == 0 ? SpriteKeyColour : RGB(x * 10, y * 8, 90));
        }
    }
    test::TestWindow window("ListBox", "\xC8\xB7\xC8\xCF", WS_POPUP | WS_VSCROLL, WS_EX_CLIENTEDGE, 0, 0,
                            80, 60);
    ASSERT_TRUE(window);
    HDC screen = GetDC(nullptr);
    HPALETTE palette = CreateHalftonePalette(screen);
    ReleaseDC(nullptr, screen);

    struct Operation {
        const char* name;
        int repeats;
        std::function<void()> run;
    };
    const HDC dc = canvas.dc();
    const HDC src = source.dc();
    const Operation operations[] = {
        {"FillSolid", 300, [&] { FillSolid(dc, 1, 1, 30, 20, BorderColourEnabled); }},
        {"FrameSolid", 300, [&] { FrameSolid(dc, 1, 1, 30, 20, BorderColourDisabled); }},
        {"DrawFocusBox", 300, [&] { DrawFocusBox(dc, 2, 2, 30, 20); }},
        {"DrawTextInRect", 300, [&] { DrawTextInRect(dc, L"确认", 0, 0, 100, 40, kCentredEllipsisFormat); }},
        {"GetBorderInsets", 300, [&] { int h, v; GetBorderInsets(window.get(), h, v); }},
        {"GetWindowBox", 300, [&] { GetWindowBox(window.get()); }},
        {"CreateSurface", 300, [&] { DeleteSurface(CreateSurface(75, 23)); }},
        {"BackBuffer", 300, [&] { BackBuffer(75, 23).CopyTo(dc, 0, 0); }},
        {"StretchSprite, nine pieces", 300,
         [&] { StretchSprite(dc, 0, 0, 75, 23, src, 0, 0, 7, 21, 3, 3, 3, 3); }},
        {"StretchSprite, one stretch", 300,
         [&] { StretchSprite(dc, 0, 0, 75, 23, src, 0, 0, 7, 21, 0, 0, 0, 0); }},
        {"StretchSprite, keyed", 300,
         [&] { StretchSprite(dc, 0, 0, 13, 13, src, 0, 0, 13, 13, 5, 5, 5, 5, SpriteKeyColour); }},
        {"BlitTransparent", 300, [&] { BlitTransparent(dc, 2, 2, 9, 8, src, 0, 0, SpriteKeyColour); }},
        {"BlitTransparent, system colour", 300,
         [&] { BlitTransparent(dc, 2, 2, 9, 8, src, 0, 0, 0x80000000u | COLOR_BTNFACE); }},
        {"BlitTransparent, given palette", 300,
         [&] { BlitTransparent(dc, 2, 2, 9, 8, src, 0, 0, SpriteKeyColour, palette); }},
        {"BuildSprites", 30, [&] { BuildSprites(); DeleteSprites(); }},
        {"BuildSprites twice", 30, [&] { BuildSprites(); BuildSprites(); DeleteSprites(); }},
    };
    for (const Operation& op : operations) {
        SCOPED_TRACE(op.name);
        std::string report;
        EXPECT_EQ(test::GdiGrowthOver(op.repeats, op.run, &report), 0) << report;
    }
    DeleteObject(palette);
}

TEST(GdiHygiene, ObjectCounterSeesCreationAndDeletion) {
    test::GdiObjectCounts before = test::CountGdiObjects();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
    test::GdiObjectCounts during = test::CountGdiObjects();
    EXPECT_EQ(during.brushes, before.brushes + 1);
    EXPECT_EQ(during.dcs, before.dcs + 1);
    EXPECT_EQ(during.bitmaps, before.bitmaps + 1);
    EXPECT_EQ(during.Total(), before.Total() + 3);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteObject(brush);
    EXPECT_EQ(test::CountGdiObjects().Total(), before.Total());
}

TEST(GdiHygiene, DeleteSpritesFreesWhatBuildSpritesMade) {
    DeleteSprites();
    int before = test::CountGdiObjects().Total();
    BuildSprites();
    // Five memory DCs, each with its own bitmap.
    EXPECT_EQ(test::CountGdiObjects().Total(), before + 10);
    DeleteSprites();
    EXPECT_EQ(test::CountGdiObjects().Total(), before);
    const EngineState& e = Engine();
    EXPECT_EQ(e.buttonSprite, nullptr);
    EXPECT_EQ(e.comboButtonSprite, nullptr);
    EXPECT_EQ(e.markSprite, nullptr);
    EXPECT_EQ(e.roundSprite, nullptr);
    EXPECT_EQ(e.headerSprite, nullptr);
}

}  // namespace
}  // namespace tarnwick
