#pragma once
// The pixel data of the built-in sprites, composed from the tables in
// sprite_data.cpp into whole images (row-major, every pixel set).
#include <windows.h>

#include <vector>

namespace tarnwick {

struct SpriteImage {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // width * height, row by row

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

SpriteImage ButtonSpriteImage();
SpriteImage ComboButtonSpriteImage();
SpriteImage MarkSpriteImage();
SpriteImage RoundSpriteImage();
SpriteImage HeaderSpriteImage();

}  // namespace tarnwick
