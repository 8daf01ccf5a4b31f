#include "core/game/patch_table.h"

#include <algorithm>

namespace tarnwick {
namespace {

// Where the numbers come from: the places in each released version's
// meteor.exe where the game keeps the built-in values of its room
// settings, and the two code bytes that the patch turns into no-operation
// bytes. They are zero-based offsets into the file (not addresses in
// memory), fixed for these three versions and never searched for; every
// one is pinned byte for byte by the tests' expected files
// (tests/core/expected_bytes.h).
// Versions 1.07 and 9.07 keep their values at the same places. In 1.08
// every value slot sits 16 bytes further on and the code bytes elsewhere.
constexpr PatchTable kTable107 = {
    {{
        0x1C743C, 0x1C7434, 0x1C742C, 0x1C7424, 0x1C741C,  // 血值 0..4
        0x1C7474, 0x1C7470, 0x1C746C,                      // 时局 5..7
        0x1C7468,                                          // 局次 8
        0x1C7490,                                          // 时间 9
        0x1C7464,                                          // 时局 10
        0x1C7460, 0x1C745C, 0x1C7458,                      // 局次 11..13
        0x1C7484,                                          // 人数 14
    }},
    0x3AB5E,
};

constexpr PatchTable Shifted(const PatchTable& table, std::uint32_t shift, std::uint32_t codeOffset) {
    PatchTable shifted = table;
    for (auto& offset : shifted.valueOffsets) offset += shift;
    shifted.codeOffset = codeOffset;
    return shifted;
}

constexpr PatchTable kTable108 = Shifted(kTable107, 16, 0x3A89E);

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

const PatchTable* PatchTableFor(GameVersion version) {
    switch (version) {
        case GameVersion::V1_07:
        case GameVersion::V9_07: return &kTable107;
        case GameVersion::V1_08: return &kTable108;
        case GameVersion::Unknown: break;
    }
    return nullptr;
}

std::uint32_t PatchAreasEnd(const PatchTable& table) {
    std::uint32_t end = table.codeOffset + kCodePatchSize;
    for (std::uint32_t offset : table.valueOffsets) end = std::max(end, offset + kSlotSize);
    return end;
}

bool IsPatched(std::span<const std::uint8_t> file, const PatchTable& table) { return IsPatchedAt(file, 0, table); }

bool IsPatchedAt(std::span<const std::uint8_t> piece, std::uint64_t offset, const PatchTable& table) {
    const std::vector<std::uint8_t> code = DecodePattern(kCodePatchText);
    if (table.codeOffset < offset || offset + piece.size() < table.codeOffset + code.size()) return false;
    return std::equal(code.begin(), code.end(), piece.begin() + (table.codeOffset - offset));
}

// A malformed text decodes to nothing, so a broken pattern can never be
// written half-way.
std::vector<std::uint8_t> DecodePattern(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) return {};
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return {};
        if (i + 2 < text.size() && text[i + 2] != ' ') return {};
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        i += 2;
    }
    return bytes;
}

}  // namespace tarnwick
