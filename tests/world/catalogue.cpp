#include "tests/world/catalogue.h"

#include <cstring>
#include <map>
#include <utility>

#include "tests/core/expected_bytes.h"

namespace tarnwick::world {
namespace {

using test::kCode107;
using test::kCode108;
using test::kSlots107;
using test::kSlots108;

constexpr GameVersion kVersions[] = {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07};
constexpr int kBuilds = 3;
constexpr std::size_t kBuildOffset = 4096;  // where builds differ
constexpr std::size_t kModOffset = 600000;  // where a mod changes code
constexpr std::size_t kShortSize = 1200000;  // cut short: the probe and code bytes, no slots

struct Area {
    std::uint32_t offset, size;
};

std::vector<Area> AreasOf(GameVersion version) {
    const bool v108 = version == GameVersion::V1_08;
    std::vector<Area> areas{{v108 ? kCode108 : kCode107, 2}};
    for (std::uint32_t slot : v108 ? kSlots108 : kSlots107) areas.push_back({slot, 4});
    return areas;
}

// Both versions' areas: blanked before the bytes outside them are compared.
const std::vector<Area>& AllAreas() {
    static const std::vector<Area> all = [] {
        std::vector<Area> a = AreasOf(GameVersion::V1_07);
        for (const Area& area : AreasOf(GameVersion::V1_08)) a.push_back(area);
        return a;
    }();
    return all;
}

const Bytes& Base(GameVersion version) {
    static std::map<GameVersion, Bytes> bases;
    auto it = bases.find(version);
    if (it == bases.end()) it = bases.emplace(version, test::MakeSyntheticGame(version, 7)).first;
    return it->second;
}

Bytes Blanked(Bytes bytes) {
    for (const Area& area : AllAreas()) {
        for (std::uint32_t i = area.offset; i < area.offset + area.size && i < bytes.size(); ++i) bytes[i] = 0;
    }
    return bytes;
}

// Bodies by their length and the hash of their blanked bytes.
const std::map<std::pair<std::size_t, std::uint64_t>, int>& BodyByHash() {
    static const auto table = [] {
        std::map<std::pair<std::size_t, std::uint64_t>, int> t;
        for (std::size_t b = 0; b < Bodies().size(); ++b) {
            const Bytes blank = Blanked(Make(static_cast<int>(b)));
            t[{blank.size(), HashBytes(blank.data(), blank.size())}] = static_cast<int>(b);
        }
        return t;
    }();
    return table;
}

const Bytes& PatchedBase(GameVersion version, int values) {
    static std::map<std::pair<GameVersion, int>, Bytes> patched;
    auto it = patched.find({version, values});
    if (it == patched.end()) {
        it = patched.emplace(std::make_pair(version, values), test::PatchedGame(Base(version), version, ValueSet(values))).first;
    }
    return it->second;
}

bool Equal(const Bytes& a, const Bytes& b, const Area& area) {
    if (area.offset + area.size > a.size() || area.offset + area.size > b.size()) return true;
    return std::memcmp(a.data() + area.offset, b.data() + area.offset, area.size) == 0;
}

State StateOf(const Bytes& bytes, int body, int& values) {
    const GameVersion version = Bodies()[body].version;
    const Bytes& pristine = Base(version);
    if (version == GameVersion::Unknown) {
        for (const Area& area : AllAreas()) {
            if (!Equal(bytes, pristine, area)) return State::Other;
        }
        return State::Pristine;
    }
    const std::vector<Area> own = AreasOf(version);
    // The other version's areas that are not this one's hold their own bytes.
    for (const Area& area : AllAreas()) {
        bool mine = false;
        for (const Area& o : own) mine = mine || (o.offset <= area.offset && area.offset < o.offset + o.size);
        if (!mine && !Equal(bytes, pristine, area)) return State::Other;
    }
    const bool codeKept = Equal(bytes, pristine, own[0]);
    int changed = 0;
    for (std::size_t f = 1; f < own.size(); ++f) changed += !Equal(bytes, pristine, own[f]);
    if (codeKept && changed == 0) return State::Pristine;
    if (bytes.size() <= own.back().offset) return State::Other;  // cut short below the slots
    for (int v = 0; v < kValueSets; ++v) {
        const Bytes& patched = PatchedBase(version, v);
        bool all = true;
        for (std::size_t f = 1; f < own.size(); ++f) all = all && Equal(bytes, patched, own[f]);
        if (!all) continue;
        values = v;
        if (Equal(bytes, patched, own[0])) return State::Patched;
        if (codeKept) return State::ValuesOnly;
    }
    return codeKept && changed == 1 ? State::SlotEdited : State::Other;
}

}  // namespace

const FieldTexts& ValueSet(int index) {
    static const FieldTexts sets[kValueSets] = {
        {L"50", L"100", L"150", L"200", L"300", L"1", L"3", L"5", L"7", L"10", L"15", L"21", L"27", L"30", L"16"},
        {L"999", L"1", L"0", L"12", L"80", L"9999", L"2", L"4", L"6", L"8", L"1000", L"3", L"5", L"7", L"2"},
        {L"7", L"7", L"7", L"7", L"7", L"77", L"77", L"77", L"77", L"77", L"77", L"77", L"77", L"77", L"8"},
    };
    return sets[index % kValueSets];
}

const std::vector<Body>& Bodies() {
    static const std::vector<Body> bodies = [] {
        std::vector<Body> all{{GameVersion::Unknown, 0, false, Shape::Whole}};
        for (GameVersion version : kVersions) {
            for (int build = 0; build < kBuilds; ++build) {
                for (bool modded : {false, true}) {
                    for (Shape shape : {Shape::Whole, Shape::Longer, Shape::Short}) {
                        all.push_back({version, build, modded, shape});
                    }
                }
            }
        }
        return all;
    }();
    return bodies;
}

int BodyIndex(const Body& body) {
    for (std::size_t i = 0; i < Bodies().size(); ++i) {
        const Body& b = Bodies()[i];
        if (b.version == body.version && b.build == body.build && b.modded == body.modded && b.shape == body.shape) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool Kind::Original() const {
    if (body < 0 || state != State::Pristine) return false;
    const Body& b = Bodies()[body];
    return b.version != GameVersion::Unknown && !b.modded && b.shape == Shape::Whole;
}

Bytes Make(int body, State state, int values) {
    const Body& b = Bodies()[body];
    Bytes bytes = Base(b.version);
    if (b.version != GameVersion::Unknown) {
        for (int i = 0; i < 4; ++i) bytes[kBuildOffset + i] = static_cast<std::uint8_t>(0xB0 + b.build);
        if (b.modded) {
            for (int i = 0; i < 4; ++i) bytes[kModOffset + i] ^= 0xFF;
        }
        const std::vector<Area> own = AreasOf(b.version);
        if (state == State::Patched || state == State::ValuesOnly) {
            bytes = test::PatchedGame(bytes, b.version, ValueSet(values));
        }
        if (state == State::ValuesOnly) std::memcpy(bytes.data() + own[0].offset, Base(b.version).data() + own[0].offset, 2);
        if (state == State::SlotEdited) std::memcpy(bytes.data() + own[4].offset, "77\0\0", 4);
    }
    if (b.shape == Shape::Longer) bytes.push_back(0x0A);
    if (b.shape == Shape::Short) bytes.resize(kShortSize);
    return bytes;
}

Look Classify(Bytes bytes) {
    Look look;
    std::uint64_t areas = 0;
    for (const Area& area : AllAreas()) {
        if (area.offset + area.size <= bytes.size()) areas = areas * 31 + HashBytes(bytes.data() + area.offset, area.size);
    }
    // Blanked in place for the hash, and put back.
    Bytes saved;
    for (const Area& area : AllAreas()) {
        for (std::uint32_t i = area.offset; i < area.offset + area.size && i < bytes.size(); ++i) {
            saved.push_back(bytes[i]);
            bytes[i] = 0;
        }
    }
    const std::uint64_t outside = HashBytes(bytes.data(), bytes.size());
    // Backwards: the two versions' areas overlap.
    std::size_t next = saved.size();
    for (auto area = AllAreas().rbegin(); area != AllAreas().rend(); ++area) {
        for (std::uint32_t i = std::min<std::size_t>(area->offset + area->size, bytes.size()); i-- > area->offset;) {
            bytes[i] = saved[--next];
        }
    }
    look.hash = outside ^ (areas * 0x9E3779B97F4A7C15ull);
    const auto it = BodyByHash().find({bytes.size(), outside});
    if (it == BodyByHash().end()) return look;
    look.kind.body = it->second;
    look.kind.state = StateOf(bytes, it->second, look.kind.values);
    return look;
}

std::uint64_t HashBytes(const std::uint8_t* data, std::size_t size) {
    std::uint64_t h = 1469598103934665603ull ^ size;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        h = (h ^ word) * 1099511628211ull;
        h ^= h >> 29;
    }
    for (; i < size; ++i) h = (h ^ data[i]) * 1099511628211ull;
    return h;
}

}  // namespace tarnwick::world
