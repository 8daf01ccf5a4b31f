#include "style/draw/sprites.h"

#include <array>
#include <vector>

#include "style/draw/sprite_data.h"
#include "style/model/engine_state.h"
#include "win32/surface.h"

namespace tarnwick {
namespace {

// Sets every pixel of the sprite in one call: the table's 0x00BBGGRR values
// become a top-down 32-bit DIB (blue in the lowest byte), which the surface
// takes with the same colours as pixel by pixel, at a fraction of the cost
// of two thousand SetPixel calls.
void SetEveryPixel(HDC surface, const SpriteImage& image) {
    std::vector<DWORD> bits(image.pixels.size());
    for (size_t i = 0; i < bits.size(); ++i) {
        const COLORREF c = image.pixels[i];
        bits[i] = (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(surface, 0, 0, image.width, image.height, 0, 0, 0, image.height, bits.data(), &info,
                      DIB_RGB_COLORS);
}

}  // namespace

void BuildSprites() {
    EngineState& engine = Engine();
    DeleteSprites();

    const std::array<SpriteImage, 5> images{ButtonSpriteImage(), ComboButtonSpriteImage(),
                                            MarkSpriteImage(), RoundSpriteImage(),
                                            HeaderSpriteImage()};
    const std::array<HDC*, 5> fields{&engine.buttonSprite, &engine.comboButtonSprite,
                                     &engine.markSprite, &engine.roundSprite,
                                     &engine.headerSprite};
    for (size_t i = 0; i < fields.size(); ++i) {
        *fields[i] = CreateSurface(images[i].width, images[i].height);
    }
    for (size_t i = 0; i < fields.size(); ++i) {
        SetEveryPixel(*fields[i], images[i]);
    }
}

void DeleteSprites() {
    EngineState& engine = Engine();
    for (HDC* field : {&engine.buttonSprite, &engine.comboButtonSprite, &engine.markSprite,
                       &engine.roundSprite, &engine.headerSprite}) {
        DeleteSurface(*field);
        *field = nullptr;
    }
}

}  // namespace tarnwick
