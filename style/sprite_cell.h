#pragma once
// Rectangles of sprite cells and the fixed borders they are stretched with.
namespace tarnwick {

// A rectangle of a sprite surface, in its pixels.
struct SpriteCell {
    int x;
    int y;
    int width;
    int height;
};

// Fixed borders of a cell, in source pixels. A margin above 0 is a border of
// that width that is copied unscaled along its side; 0 or less means that
// side has none.
struct Margins {
    int left;
    int top;
    int right;
    int bottom;
};

}  // namespace tarnwick
