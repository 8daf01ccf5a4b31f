#pragma once
// Colours of the engine's own drawing, as 0x00BBGGRR values the way GDI
// takes them.
#include <windows.h>

namespace tarnwick {

// One-pixel outer frame of an enabled combo box, drive list, list, grid or
// client-edge control, and the progress-bar frame.
inline constexpr COLORREF BorderColourEnabled = 0x00D5A554;
// The same frame when the window is disabled.
inline constexpr COLORREF BorderColourDisabled = 0x00E9CFA4;
// Filled part of a progress bar.
inline constexpr COLORREF ProgressFillColour = 0x00F6D64C;
// Pixels of a sprite cell that lie outside its shape (pure magenta); the
// transparent copy leaves them out.
inline constexpr COLORREF SpriteKeyColour = 0x00FF00FF;
// Frame of a check box while it is pressed.
inline constexpr COLORREF CheckFramePressedColour = 0x00C48639;
// Caption of a disabled push button.
inline constexpr COLORREF ButtonDisabledTextColour = 0x00968A79;
// Caption of an enabled push button and header text.
inline constexpr COLORREF ButtonTextColour = 0x00000000;
// Inner frame and empty background.
inline constexpr COLORREF White = 0x00FFFFFF;

}  // namespace tarnwick
