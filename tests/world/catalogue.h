#pragma once
// The files the world is made of: originals of the three versions in a few
// builds (differing outside the patch areas), and what becomes of them:
// modded, cut short, one byte longer, edited in one slot, values-only
// edited, patched with one of a few value sets. A file read back is named
// by comparing its bytes with these, never by asking the tool.
#include <cstdint>
#include <vector>

#include "core/game/fields.h"
#include "core/game/version.h"
#include "tests/support/synthetic_game.h"

namespace tarnwick::world {

using test::Bytes;

inline constexpr int kValueSets = 3;
const FieldTexts& ValueSet(int index);

enum class Shape { Whole, Longer, Short };

// A file's bytes outside the patch areas.
struct Body {
    GameVersion version;
    int build;
    bool modded;
    Shape shape;
};
const std::vector<Body>& Bodies();
int BodyIndex(const Body& body);

// What the patch areas of a body hold.
enum class State { Pristine, Patched, SlotEdited, ValuesOnly, Other };

struct Kind {
    int body = -1;  // into Bodies(); -1: no file of the catalogue
    State state = State::Other;
    int values = -1;  // Patched, ValuesOnly: which value set
    // An unpatched game file as it came from an installer.
    bool Original() const;
    bool Known() const { return body >= 0 && state != State::Other; }
};

Bytes Make(int body, State state = State::Pristine, int values = 0);

// What `bytes` are, and a hash of all of them for telling files apart.
struct Look {
    Kind kind;
    std::uint64_t hash = 0;
};
Look Classify(Bytes bytes);

std::uint64_t HashBytes(const std::uint8_t* data, std::size_t size);

}  // namespace tarnwick::world
