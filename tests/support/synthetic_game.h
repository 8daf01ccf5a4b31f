#pragma once
// Synthetic meteor.exe files for tests: a version's probe at the probe
// offset, deterministic pseudo-random bytes everywhere else.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/game/version.h"

namespace tarnwick::test {

using Bytes = std::vector<std::uint8_t>;

// Large enough for the highest slot of every version (1.08 field 9 ends at
// 1864868).
inline constexpr std::size_t kSyntheticGameSize = 1900000;

// UTF-16 units that code page 936 cannot represent: each comes back from
// the round trip as "?" (checked by the tests).
extern const std::vector<wchar_t> kUnrepresentableUnits;

// The probe text a version's game file yields, written out independently
// of the code under test. Empty for Unknown.
std::wstring SignatureText(GameVersion version);

// The raw units a synthetic game file of `version` holds at the probe:
// the signature with an unrepresentable unit (chosen by `seed`) wherever
// the signature reads "?". For Unknown, units of no signature.
std::wstring SyntheticProbeUnits(GameVersion version, std::uint32_t seed = 1);

// Deterministic filler; the same seed gives the same bytes.
Bytes PseudoRandomBytes(std::size_t count, std::uint32_t seed);

// A game file: filler of `size` bytes, then `units` at the probe offset as
// little-endian pairs followed by one zero unit.
Bytes MakeGameBytes(const std::wstring& units, std::uint32_t seed = 1, std::size_t size = kSyntheticGameSize);
Bytes MakeSyntheticGame(GameVersion version, std::uint32_t seed = 1, std::size_t size = kSyntheticGameSize);

// Whole-file helpers that fail the calling test (through exceptions
// GoogleTest reports) rather than returning errors.
void WriteFileBytes(const std::wstring& path, const Bytes& bytes);
Bytes ReadFileBytes(const std::wstring& path);
std::string ReadFileText(const std::wstring& path);

}  // namespace tarnwick::test
