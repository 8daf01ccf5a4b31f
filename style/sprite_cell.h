#pragma once
// The fixed borders a sprite cell is stretched with. A cell itself is a Box
// of the sprite surface, in its pixels.
namespace tarnwick {

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
