#pragma once
// Where each version keeps the fifteen value slots and the two code bytes.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/game/fields.h"
#include "core/game/version.h"

namespace tarnwick {

inline constexpr std::uint32_t kSlotSize = 4;
inline constexpr std::uint32_t kCodePatchSize = 2;

inline constexpr std::string_view kClearPatternText = "00 00 00 00";
inline constexpr std::string_view kCodePatchText = "90 90";

struct PatchTable {
    std::array<std::uint32_t, kFieldCount> valueOffsets;
    std::uint32_t codeOffset;
};

// nullptr for GameVersion::Unknown. 1.07 and 9.07 share one table.
const PatchTable* PatchTableFor(GameVersion version);

// The length a game file needs to hold every patch area of the table.
std::uint32_t PatchAreasEnd(const PatchTable& table);

// A file whose code bytes are the two no-operation bytes has been patched:
// the game's own code never holds them there, so such a file is never an
// original. A file too short for the code bytes is not patched.
bool IsPatched(std::span<const std::uint8_t> file, const PatchTable& table);
// The same from a piece of a file, the bytes from `offset` on: false
// unless the piece holds the code bytes.
bool IsPatchedAt(std::span<const std::uint8_t> piece, std::uint64_t offset, const PatchTable& table);

// "90 90" -> {0x90, 0x90}: space-separated two-digit hex numbers.
std::vector<std::uint8_t> DecodePattern(std::string_view text);

}  // namespace tarnwick
