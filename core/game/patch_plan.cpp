#include "core/game/patch_plan.h"

#include <algorithm>
#include <string>

#include "core/text/codepage.h"

namespace tarnwick {

std::vector<PatchArea> PatchedAreas(const PatchTable& table) {
    std::vector<PatchArea> areas;
    for (std::uint32_t offset : table.valueOffsets) areas.push_back({offset, kSlotSize});
    areas.push_back({table.codeOffset, kCodePatchSize});
    std::sort(areas.begin(), areas.end(), [](const PatchArea& a, const PatchArea& b) { return a.offset < b.offset; });
    return areas;
}

std::vector<PatchWrite> PlanPatch(const PatchTable& table, const FieldTexts& values) {
    const std::vector<std::uint8_t> clear = DecodePattern(kClearPatternText);
    std::vector<PatchWrite> writes;
    writes.push_back({table.codeOffset, DecodePattern(kCodePatchText)});
    for (std::uint32_t offset : table.valueOffsets) writes.push_back({offset, clear});
    for (int i = 0; i < kFieldCount; ++i) {
        std::string text = WideToCodePage(values[i], kGameCodePage);
        if (kFields[i].percent) text += '%';
        writes.push_back({table.valueOffsets[i], std::vector<std::uint8_t>(text.begin(), text.end())});
    }
    return writes;
}

SlotValues ReadSlotValues(std::span<const std::uint8_t> file, const PatchTable& table) {
    SlotValues values;
    for (int i = 0; i < kFieldCount; ++i) {
        const std::uint32_t offset = table.valueOffsets[i];
        if (file.size() < offset + kSlotSize) continue;
        const std::span<const std::uint8_t> slot = file.subspan(offset, kSlotSize);
        std::wstring digits;
        std::size_t at = 0;
        for (; at < slot.size() && slot[at] >= '0' && slot[at] <= '9'; ++at) digits += static_cast<wchar_t>(slot[at]);
        if (digits.empty()) continue;
        if (kFields[i].percent && (at == slot.size() || slot[at++] != '%')) continue;
        if (std::all_of(slot.begin() + at, slot.end(), [](std::uint8_t byte) { return byte == 0; })) values[i] = digits;
    }
    return values;
}

std::vector<std::vector<std::uint8_t>> PatchedAreaContents(std::span<const std::uint8_t> file,
                                                           const std::vector<PatchArea>& areas,
                                                           const std::vector<PatchWrite>& writes) {
    std::vector<std::vector<std::uint8_t>> contents;
    contents.reserve(areas.size());
    for (const PatchArea& area : areas) {
        const std::size_t areaEnd = std::size_t{area.offset} + area.size;
        std::vector<std::uint8_t>& bytes =
            contents.emplace_back(file.begin() + area.offset, file.begin() + areaEnd);
        for (const PatchWrite& write : writes) {
            const std::size_t from = std::max<std::size_t>(write.offset, area.offset);
            const std::size_t to = std::min(std::size_t{write.offset} + write.bytes.size(), areaEnd);
            for (std::size_t at = from; at < to; ++at) bytes[at - area.offset] = write.bytes[at - write.offset];
        }
    }
    return contents;
}

bool SameOutsidePatchAreas(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b, const PatchTable& table) {
    return a.size() == b.size() && SameOutsidePatchAreasAt(a, 0, b, table);
}

bool SameOutsidePatchAreasAt(std::span<const std::uint8_t> piece, std::uint64_t offset,
                             std::span<const std::uint8_t> whole, const PatchTable& table) {
    if (offset > whole.size() || piece.size() > whole.size() - offset) return false;
    const std::uint64_t end = offset + piece.size();
    std::uint64_t from = offset;
    // The bytes from `from` up to `to` (within the piece) agree.
    auto same = [&](std::uint64_t to) {
        to = std::min(to, end);
        return from >= to || std::equal(piece.begin() + (from - offset), piece.begin() + (to - offset),
                                        whole.begin() + from);
    };
    for (const PatchArea& area : PatchedAreas(table)) {
        if (!same(area.offset)) return false;
        from = std::max<std::uint64_t>(from, std::uint64_t{area.offset} + area.size);
    }
    return same(end);
}

}  // namespace tarnwick
