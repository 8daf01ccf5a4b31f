#pragma once
// File contents written out by hand from the file formats, so the tests do
// not compare the code with itself.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "core/disk/sha256.h"
#include "core/game/fields.h"
#include "core/game/version.h"
#include "tests/support/synthetic_game.h"

namespace tarnwick::test {

// The label of each field in code page 936.
inline const std::array<std::string, kFieldCount> kLabelBytes = [] {
    const std::string blood = "\xD1\xAA\xD6\xB5\xA3\xBA";    // 血值：
    const std::string round = "\xCA\xB1\xBE\xD6\xA3\xBA";    // 时局：
    const std::string count = "\xBE\xD6\xB4\xCE\xA3\xBA";    // 局次：
    const std::string time = "\xCA\xB1\xBC\xE4\xA3\xBA";     // 时间：
    const std::string players = "\xC8\xCB\xCA\xFD\xA3\xBA";  // 人数：
    return std::array<std::string, kFieldCount>{blood, blood, blood, blood, blood, round, round, round,
                                                 count, time,  round, count, count, count, players};
}();

inline const std::string kCacheHeaderBytes = "\x5B\xC5\xE4\xD6\xC3\xBB\xBA\xB4\xE6\x5D";

// The settings cache for values made of ASCII digits.
inline std::string ExpectedCache(const FieldTexts& values) {
    std::string text = kCacheHeaderBytes + "\r\n";
    for (int i = 0; i < kFieldCount; ++i) text += kLabelBytes[i] + std::string(values[i].begin(), values[i].end()) + "\r\n";
    return text;
}

// Value slot offsets: 1.07 and 9.07, then 1.08; and the code bytes.
inline constexpr std::array<std::uint32_t, kFieldCount> kSlots107 = {
    1864764, 1864756, 1864748, 1864740, 1864732, 1864820, 1864816, 1864812,
    1864808, 1864848, 1864804, 1864800, 1864796, 1864792, 1864836};
inline constexpr std::array<std::uint32_t, kFieldCount> kSlots108 = {
    1864780, 1864772, 1864764, 1864756, 1864748, 1864836, 1864832, 1864828,
    1864824, 1864864, 1864820, 1864816, 1864812, 1864808, 1864852};
inline constexpr std::uint32_t kCode107 = 240478;
inline constexpr std::uint32_t kCode108 = 239774;

// The game file after an apply of `values` to `before`, from the offsets
// written out in the tests.
inline Bytes PatchedGame(const Bytes& before, GameVersion version, const FieldTexts& values) {
    const auto& slots = version == GameVersion::V1_08 ? kSlots108 : kSlots107;
    const std::uint32_t code = version == GameVersion::V1_08 ? kCode108 : kCode107;
    Bytes after = before;
    for (int i = 0; i < kFieldCount; ++i) {
        std::string slot(values[i].begin(), values[i].end());
        if (kFields[i].percent) slot += '%';
        slot.resize(4, '\0');
        std::copy(slot.begin(), slot.end(), after.begin() + slots[i]);
    }
    after[code] = 0x90;
    after[code + 1] = 0x90;
    return after;
}

// The record beside a backup of `original`, as the tool writes it.
inline std::string ExpectedBackupRecord(const Bytes& original) {
    return "size " + std::to_string(original.size()) + "\r\nsha256 " + DigestText(Sha256Of(original)) + "\r\n";
}

}  // namespace tarnwick::test
