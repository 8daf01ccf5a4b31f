// Renders the sprites, enlarged, and the faces at control size into
// style_sprites.bmp in the working folder, so the look can be inspected.
#include <windows.h>

#include <gtest/gtest.h>

#include "style/draw/blit.h"
#include "style/draw/colours.h"
#include "style/draw/primitives.h"
#include "style/draw/sprite_cells.h"
#include "style/draw/sprites.h"
#include "style/model/engine_state.h"
#include "tests/support/pixels.h"

namespace tarnwick {
namespace {

TEST(SpritePreview, WritesSpriteSheet) {
    BuildSprites();
    const EngineState& e = Engine();
    test::DibCanvas sheet(200, 100, 0x00F0F0F0);
    // The raw sprites, key colour shown as magenta.
    int x = 2;
    struct Raw {
        HDC dc;
        int w;
        int h;
    };
    for (Raw r : {Raw{e.buttonSprite, 7, 84}, Raw{e.comboButtonSprite, 15, 18}, Raw{e.markSprite, 18, 24},
                  Raw{e.roundSprite, 13, 52}, Raw{e.headerSprite, 9, 20}}) {
        BitBlt(sheet.dc(), x, 2, r.w, r.h, r.dc, 0, 0, SRCCOPY);
        x += r.w + 3;
    }
    // Faces at control size on a form-coloured background.
    FillSolid(sheet.dc(), 75, 0, 125, 100, White);
    for (int s = 0; s < 4; ++s) {
        StretchSprite(sheet.dc(), 78, 2 + 24 * s, 60, 22, e.buttonSprite,
                      ButtonFaceCell(static_cast<VisualState>(s)), kButtonFaceMargins);
        StretchSprite(sheet.dc(), 142, 2 + 24 * s, 13, 13, e.roundSprite,
                      RoundFrameCell(static_cast<VisualState>(s)), kRoundFrameMargins, SpriteKeyColour);
    }
    BlitTransparent(sheet.dc(), 145, 5, 5, 5, e.markSprite, kDotEnabled.left, kDotEnabled.top, SpriteKeyColour);
    StretchSprite(sheet.dc(), 158, 2, 18, 19, e.comboButtonSprite, kComboFaceHot, kComboFaceMargins);
    StretchSprite(sheet.dc(), 158, 26, 18, 19, e.comboButtonSprite, kComboFacePressed, kComboFaceMargins);
    for (int y : {2, 26}) {
        BlitTransparent(sheet.dc(), 163, y + 8, 7, 4, e.comboButtonSprite, 8, 0, SpriteKeyColour);
    }
    for (int s = 0; s < 3; ++s) {
        StretchSprite(sheet.dc(), 158, 50 + 16 * s, 40, 15, e.headerSprite,
                      HeaderFaceCell(static_cast<VisualState>(s)), kHeaderFaceMargins);
    }
    FrameSolid(sheet.dc(), 179, 2, 13, 13, BorderColourEnabled);
    BlitTransparent(sheet.dc(), 181, 4, 9, 8, e.markSprite, 0, 0, SpriteKeyColour);
    EXPECT_TRUE(sheet.SaveBmp(L"style_sprites.bmp", 4));
    DeleteSprites();
}

}  // namespace
}  // namespace tarnwick
