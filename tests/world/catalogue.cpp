// The catalogue of game files and the naming of a file by its bytes.
#include <algorithm>
#include <cstring>

#include "tests/core/expected_bytes.h"
#include "tests/world/world.h"

namespace tarnwick::world {
namespace {

constexpr GameVersion kVersions[] = {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07};
constexpr std::size_t kBuildOffset = 4096, kModOffset = 600000;  // where builds and mods differ
constexpr std::size_t kShortSize = 1200000;  // cut short: the probe and the code bytes, not the slots

struct Area {
    std::uint32_t offset, size;
};

// The code bytes, then the fifteen slots.
std::vector<Area> AreasOf(GameVersion version) {
    const bool v108 = version == GameVersion::V1_08;
    std::vector<Area> areas{{v108 ? test::kCode108 : test::kCode107, 2}};
    for (std::uint32_t slot : v108 ? test::kSlots108 : test::kSlots107) areas.push_back({slot, 4});
    return areas;
}

// Both versions' areas, in order: the bytes outside them tell a body.
const std::vector<Area>& AllAreas() {
    static const std::vector<Area> all = [] {
        std::vector<Area> a = AreasOf(GameVersion::V1_07), b = AreasOf(GameVersion::V1_08);
        a.insert(a.end(), b.begin(), b.end());
        std::sort(a.begin(), a.end(), [](Area x, Area y) { return x.offset < y.offset; });
        return a;
    }();
    return all;
}

std::uint64_t Hash(const std::uint8_t* data, std::size_t size, std::uint64_t h) {
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

std::uint64_t HashOutsideAreas(const Bytes& bytes) {
    std::uint64_t h = 1469598103934665603ull ^ bytes.size();
    std::size_t from = 0;
    for (const Area& area : AllAreas()) {
        if (area.offset > from && from < bytes.size()) h = Hash(bytes.data() + from, std::min<std::size_t>(area.offset, bytes.size()) - from, h);
        from = std::max<std::size_t>(from, area.offset + area.size);
    }
    return from < bytes.size() ? Hash(bytes.data() + from, bytes.size() - from, h) : h;
}

// A version's file as installed, and patched with each value set.
const Bytes& Base(GameVersion version, int values = -1) {
    static std::map<std::pair<GameVersion, int>, Bytes> files;
    auto it = files.find({version, values});
    if (it != files.end()) return it->second;
    Bytes bytes = values < 0 ? test::MakeSyntheticGame(version, 7) : test::PatchedGame(Base(version), version, ValueSet(values));
    return files.emplace(std::make_pair(version, values), std::move(bytes)).first->second;
}

const std::map<std::pair<std::size_t, std::uint64_t>, int>& BodyByHash() {
    static const auto table = [] {
        std::map<std::pair<std::size_t, std::uint64_t>, int> t;
        for (std::size_t b = 0; b < Bodies().size(); ++b) {
            const Bytes bytes = Make(static_cast<int>(b));
            t[{bytes.size(), HashOutsideAreas(bytes)}] = static_cast<int>(b);
        }
        return t;
    }();
    return table;
}

bool Equal(const Bytes& a, const Bytes& b, const Area& area) {
    if (area.offset + area.size > a.size()) return true;  // cut short before it
    return std::memcmp(a.data() + area.offset, b.data() + area.offset, area.size) == 0;
}

State StateOf(const Bytes& bytes, GameVersion version, int& values) {
    const Bytes& pristine = Base(version);
    if (version == GameVersion::Unknown) {
        return std::all_of(AllAreas().begin(), AllAreas().end(), [&](Area a) { return Equal(bytes, pristine, a); })
                   ? State::Pristine
                   : State::Other;
    }
    const std::vector<Area> own = AreasOf(version);
    const bool codeKept = Equal(bytes, pristine, own[0]);
    const auto slotsKept = std::count_if(own.begin() + 1, own.end(), [&](Area a) { return Equal(bytes, pristine, a); });
    if (codeKept && slotsKept == kFieldCount) return State::Pristine;
    for (int v = 0; v < kValueSets && bytes.size() > own.back().offset; ++v) {
        const Bytes& patched = Base(version, v);
        if (!std::all_of(own.begin() + 1, own.end(), [&](Area a) { return Equal(bytes, patched, a); })) continue;
        values = v;
        if (Equal(bytes, patched, own[0])) return State::Patched;
        if (codeKept) return State::ValuesOnly;
    }
    return codeKept && slotsKept == kFieldCount - 1 ? State::SlotEdited : State::Other;
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

// The file of no known version first, then by version, build, mod, shape.
const std::vector<Body>& Bodies() {
    static const std::vector<Body> bodies = [] {
        std::vector<Body> all{{GameVersion::Unknown, 0, false, Shape::Whole}};
        for (GameVersion version : kVersions) {
            for (int build = 0; build < 3; ++build) {
                for (bool modded : {false, true}) {
                    for (Shape shape : {Shape::Whole, Shape::Longer, Shape::Short}) all.push_back({version, build, modded, shape});
                }
            }
        }
        return all;
    }();
    return bodies;
}

int BodyIndex(const Body& b) {
    const int version = static_cast<int>(b.version) - 1;
    return version < 0 ? 0 : 1 + ((version * 3 + b.build) * 2 + b.modded) * 3 + static_cast<int>(b.shape);
}

bool Kind::Original() const {
    if (body < 0 || state != State::Pristine) return false;
    const Body& b = Bodies()[body];
    return b.version != GameVersion::Unknown && !b.modded && b.shape == Shape::Whole;
}

Bytes Make(int body, State state, int values) {
    const Body& b = Bodies()[body];
    Bytes bytes = Base(b.version, state == State::Patched || state == State::ValuesOnly ? values : -1);
    if (b.version != GameVersion::Unknown) {
        std::fill_n(bytes.begin() + kBuildOffset, 4, static_cast<std::uint8_t>(0xB0 + b.build));
        if (b.modded) std::fill_n(bytes.begin() + kModOffset, 4, 0xCC);
        const std::vector<Area> own = AreasOf(b.version);
        if (state == State::ValuesOnly) std::memcpy(bytes.data() + own[0].offset, Base(b.version).data() + own[0].offset, 2);
        if (state == State::SlotEdited) std::memcpy(bytes.data() + own[4].offset, "77\0\0", 4);
    }
    if (b.shape == Shape::Longer) bytes.push_back(0x0A);
    if (b.shape == Shape::Short) bytes.resize(kShortSize);
    return bytes;
}

Bytes DrawFile(std::mt19937& random) {
    const unsigned roll = random() % 100;
    Body body{kVersions[random() % 3], static_cast<int>(random() % 3), roll >= 75 && roll < 82,
              roll >= 88 ? Shape::Short : roll >= 82 ? Shape::Longer : Shape::Whole};
    const int values = static_cast<int>(random() % kValueSets);
    if (roll >= 94) return Make(0);  // of no known version
    const State state = roll < 50 ? State::Pristine : roll < 62 ? State::Patched : roll < 70 ? State::SlotEdited
                        : roll < 75 ? State::ValuesOnly : State::Pristine;
    return Make(BodyIndex(body), state, values);
}

Node FileNode(Bytes bytes) {
    Node node;
    std::uint64_t areas = 0;
    for (const Area& area : AllAreas()) {
        if (area.offset + area.size <= bytes.size()) areas = Hash(bytes.data() + area.offset, area.size, areas * 31 + 7);
    }
    const std::uint64_t outside = HashOutsideAreas(bytes);
    node.hash = outside ^ (areas * 0x9E3779B97F4A7C15ull);
    const auto it = BodyByHash().find({bytes.size(), outside});
    if (it == BodyByHash().end()) return node;
    node.kind.body = it->second;
    node.kind.state = StateOf(bytes, Bodies()[it->second].version, node.kind.values);
    return node;
}

std::string Describe(const Node* node) {
    if (!node) return "nothing";
    if (node->type != Node::File) return node->type == Node::Folder ? "a folder" : "a link";
    const Kind& k = node->kind;
    if (k.body < 0) return "a file of no catalogue";
    const Body& b = Bodies()[k.body];
    static const char* const versions[] = {"unknown", "1.07", "1.08", "9.07"};
    static const char* const shapes[] = {"", " longer", " short"};
    static const char* const states[] = {"unpatched", "patched", "slot-edited", "values-only", "other"};
    return std::string(versions[static_cast<int>(b.version)]) + " build " + std::to_string(b.build) +
           (b.modded ? " modded" : "") + shapes[static_cast<int>(b.shape)] + " " +
           (k.Original() ? "original" : states[static_cast<int>(k.state)]) +
           (k.values >= 0 ? " " + std::to_string(k.values) : "");
}

}  // namespace tarnwick::world
