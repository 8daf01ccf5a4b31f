#pragma once
// Building and freeing the five built-in sprites (sprite_cells.h says what
// they hold, sprite_data.h every pixel): memory surfaces kept in Engine()
// while the engine is initialised.
namespace tarnwick {

// Creates the five sprite surfaces (in the order ButtonSprite,
// ComboButtonSprite, MarkSprite, RoundSprite, HeaderSprite), stores them in
// Engine(), then sets all the pixels of each sprite in one call, sprite by
// sprite, from the tables of sprite_data.h. Sprites still held from an
// earlier build are freed first. A surface that cannot be made stays null;
// copies from it draw nothing.
void BuildSprites();

// Frees the five sprite surfaces in the order ButtonSprite,
// ComboButtonSprite, MarkSprite, RoundSprite, HeaderSprite (each DC and the
// bitmap it owns) and sets their fields in Engine() to null.
void DeleteSprites();

}  // namespace tarnwick
