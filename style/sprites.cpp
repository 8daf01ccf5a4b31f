#include "style/sprites.h"

#include <array>

#include "style/engine_state.h"
#include "style/primitives.h"
#include "style/sprite_data.h"

namespace tarnwick {
namespace {

void SetEveryPixel(HDC surface, const SpriteImage& image) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            SetPixel(surface, x, y, image.At(x, y));
        }
    }
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
