#pragma once
// Plain models of the three readers, written from the file formats and not
// from the code under test: the settings cache, the notice switch file and
// the version probe. They favour the obvious way over the fast one (the
// probe model builds the whole zero-filled buffer as long as the file).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/version.h"

namespace tarnwick::test::fuzz::model {

// A text file's lines: each ends at CR LF, a lone CR or a lone LF; a last
// line without an ending counts, and nothing follows the last ending.
std::vector<std::string> Lines(std::string_view bytes);

// Code page 936 to UTF-16, and the round trip a single-line text field of
// an ANSI window makes (units code page 936 lacks come back as "?").
std::wstring Decode936(std::string_view bytes);
std::wstring RoundTrip936(std::wstring_view units);

// The settings cache: lines 2 to 16, each decoded and without its first
// three characters; nullopt where the file has no such line or the value
// is longer than 16 characters.
std::array<std::optional<std::wstring>, 15> CacheValues(std::string_view file);

// The notice switch file: off only when line 2 reads "信息：停用".
bool NoticeSwitchedOff(std::string_view file);

struct VersionTagBuffer {
    std::wstring units;  // raw units up to the first zero unit
    std::wstring text;   // after the round trip
    GameVersion version = GameVersion::Unknown;
};

// Recognition of a whole game file: a zero-filled buffer as long as the
// file, the bytes from the probe offset to the end copied into its start,
// 16-bit little-endian units up to the first zero unit, the round trip, and
// an exact comparison with the three signatures.
VersionTagBuffer ProbeOfFile(const std::vector<std::uint8_t>& file);

// The same for the bytes from the probe offset on, for a file long enough
// that the zero tail of its buffer is longer than the bytes themselves.
VersionTagBuffer ProbeOfBytesFromOffset(const std::vector<std::uint8_t>& bytes);

}  // namespace tarnwick::test::fuzz::model
