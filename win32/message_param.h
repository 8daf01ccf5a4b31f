#pragma once
// Signed halves of a 32-bit message parameter: the x and y of a mouse
// position in WM_MOUSEMOVE and the button messages. Positions left of or
// above the window (possible while the mouse is captured) come out negative.
#include <cstdint>

namespace tarnwick {

constexpr std::int16_t SignedLoWord(std::uint32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFFu));
}

constexpr std::int16_t SignedHiWord(std::uint32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value >> 16));
}

}  // namespace tarnwick
