#pragma once
// The five built-in sprites: small bitmaps the engine carries as pixel data
// and builds in memory when it starts. Painters never draw these shapes with
// lines or fills; they copy cells out of the sprites (StretchSprite,
// BlitTransparent). Pixels outside a cell's shape are SpriteKeyColour, which
// the transparent copy leaves out; ButtonSprite and HeaderSprite have no such
// pixel and are always copied opaque.
//
//   ButtonSprite       7 x 84  four push-button faces of 7 x 21, stacked,
//                              one per VisualState (Normal, Hot, Pressed,
//                              Disabled)
//   ComboButtonSprite 15 x 18  drop-button faces 4 x 18 at x 0 (Hot) and
//                              x 4 (Pressed); arrows 7 x 4 at (8, 0)
//                              (enabled) and (8, 4) (disabled)
//   MarkSprite        18 x 24  left half enabled, right half disabled: tick
//                              9 x 8, square 7 x 7, dot 5 x 5
//   RoundSprite       13 x 52  four option-button rings of 13 x 13, stacked,
//                              one per VisualState
//   HeaderSprite       9 x 20  header-item faces 3 x 20 side by side:
//                              Normal, Hot, Pressed
//
// A cell is a Box of its sprite, in the sprite's pixels, and is copied with
// fixed borders (Margins) or none.
#include <windows.h>

#include "style/model/control_kind.h"
#include "win32/box.h"

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

inline constexpr int kButtonSpriteWidth = 7, kButtonSpriteHeight = 84;
inline constexpr int kComboButtonSpriteWidth = 15, kComboButtonSpriteHeight = 18;
inline constexpr int kMarkSpriteWidth = 18, kMarkSpriteHeight = 24;
inline constexpr int kRoundSpriteWidth = 13, kRoundSpriteHeight = 52;
inline constexpr int kHeaderSpriteWidth = 9, kHeaderSpriteHeight = 20;

// Push-button face for a state; drawn with margins 3 on every side, so its
// 3 x 3 corners stay exact.
constexpr Box ButtonFaceCell(VisualState state) { return {0, 21 * ToInt(state), 7, 21}; }
inline constexpr Margins kButtonFaceMargins{3, 3, 3, 3};

// Combo-box drop-button faces (the Pressed one also while the list is open)
// and arrows; the arrows are copied transparent and unscaled.
inline constexpr Box kComboFaceHot{0, 0, 4, 18};
inline constexpr Box kComboFacePressed{4, 0, 4, 18};
inline constexpr Margins kComboFaceMargins{2, 1, 1, 1};
inline constexpr Box kComboArrowEnabled{8, 0, 7, 4};
inline constexpr Box kComboArrowDisabled{8, 4, 7, 4};

// Check-box and option-button marks, copied transparent and unscaled.
inline constexpr Box kTickEnabled{0, 0, 9, 8};
inline constexpr Box kTickDisabled{9, 0, 9, 8};
inline constexpr Box kSquareEnabled{1, 9, 7, 7};
inline constexpr Box kSquareDisabled{10, 9, 7, 7};
inline constexpr Box kDotEnabled{2, 18, 5, 5};
inline constexpr Box kDotDisabled{11, 18, 5, 5};

// Option-button ring for a state, drawn with margins 5, transparent.
constexpr Box RoundFrameCell(VisualState state) { return {0, 13 * ToInt(state), 13, 13}; }
inline constexpr Margins kRoundFrameMargins{5, 5, 5, 5};
// Bands of the Hot and Pressed rings' interiors, stretched over a check
// box's interior.
inline constexpr Box kRoundHotBand{1, 17, 11, 5};
inline constexpr Box kRoundPressedBand{1, 30, 11, 5};

// Header-item face for Normal, Hot or Pressed, drawn with margins 1; and the
// body column of the Normal face, stretched over a whole header.
constexpr Box HeaderFaceCell(VisualState state) { return {3 * ToInt(state), 0, 3, 20}; }
inline constexpr Margins kHeaderFaceMargins{1, 1, 1, 1};
inline constexpr Box kHeaderBodyColumn{1, 0, 1, 20};

}  // namespace tarnwick
