#pragma once
// Which bytes a patch writes where: the fifteen values and the code bytes
// of one version, as a list of writes that apply performs and its
// read-back checks, and the areas they may change.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/game/fields.h"
#include "core/game/patch_table.h"

namespace tarnwick {

struct PatchArea {
    std::uint32_t offset;
    std::uint32_t size;
};

struct PatchWrite {
    std::uint32_t offset;
    std::vector<std::uint8_t> bytes;
};

// The sixteen areas a patch may change, in file order.
std::vector<PatchArea> PatchedAreas(const PatchTable& table);

// The two no-operation bytes come first, so that a file whose patch was
// cut short anywhere after them is recognisably patched (IsPatched) and
// never taken for an original; then every slot is cleared, and each value
// is written as its digits in the game's code page (with "%" for the
// hit-point fields), which leaves zero bytes after a short value.
// The values are taken as they are: checking them is the caller's part.
// kCodeWrite is the index of the code bytes' write.
inline constexpr std::size_t kCodeWrite = 0;
std::vector<PatchWrite> PlanPatch(const PatchTable& table, const FieldTexts& values);

// The inverse of the plan for the values: what each slot of `file` holds
// now, as the text the field had, when the slot holds a value the way a
// patch writes one (one or more digits, "%" after them for the hit-point
// fields, zero bytes to the end of the slot). nullopt for a slot that
// holds anything else (an unpatched game's own bytes, for instance) or
// lies past the end of the file.
using SlotValues = std::array<std::optional<std::wstring>, kFieldCount>;
SlotValues ReadSlotValues(std::span<const std::uint8_t> file, const PatchTable& table);

// What each of the areas of `file` holds with the writes laid over it, in
// the order of `areas`; the file must be long enough for them. Only the
// areas are copied, not the whole file: a write counts where it falls
// inside an area.
std::vector<std::vector<std::uint8_t>> PatchedAreaContents(std::span<const std::uint8_t> file,
                                                           const std::vector<PatchArea>& areas,
                                                           const std::vector<PatchWrite>& writes);

// Whether two files are the same length and hold the same bytes everywhere
// but in the table's patch areas: one is the other before or after a patch.
bool SameOutsidePatchAreas(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b, const PatchTable& table);
// The same for a piece of a file, the bytes from `offset` on, against a
// whole file `whole`: false where the piece runs past the end of `whole`.
bool SameOutsidePatchAreasAt(std::span<const std::uint8_t> piece, std::uint64_t offset,
                             std::span<const std::uint8_t> whole, const PatchTable& table);

}  // namespace tarnwick
