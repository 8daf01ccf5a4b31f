#pragma once
// Game version recognition from the bytes of meteor.exe at the probe offset.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarnwick {

enum class GameVersion { Unknown, V1_07, V1_08, V9_07 };

// Zero-based offset of the first probe byte in meteor.exe.
inline constexpr std::uint32_t kProbeOffset = 1115647;
// How many bytes from there the recognition looks at, at most.
inline constexpr std::size_t kProbeReadBytes = 216;

// The text of the 信息 label for a version; the label text is the tag that
// the apply handler reads back.
std::wstring_view VersionTagText(GameVersion version);
// "1.07", "1.08", "9.07"; "?" for Unknown.
std::wstring_view VersionName(GameVersion version);
// Exact comparison with the four tag texts; anything else is Unknown.
GameVersion VersionFromTag(std::wstring_view tagText);

// Raw UTF-16 units read from the bytes that follow the probe offset, as if
// they sat at the start of a zero-filled buffer as long as the whole file:
// little-endian pairs, cut at the first zero unit; an odd last byte pairs
// with a zero byte.
std::wstring ProbeUnits(std::span<const std::uint8_t> bytesFromProbeOffset);
// The units after a round trip through code page 936, as a single-line text
// field stores and returns them.
std::wstring ProbeText(std::wstring_view units);
GameVersion RecogniseProbeText(std::wstring_view probeText);

struct Recognition {
    GameVersion version = GameVersion::Unknown;
    std::wstring probeText;  // what the version was read from; the tests hold the conversion to it
    unsigned long systemError = 0;  // non-zero when the file could not be read
};
// The same recognition from the bytes that follow the probe offset (all of
// them or only the first; the few the probe needs are enough).
Recognition RecogniseProbeBytes(std::span<const std::uint8_t> bytesFromProbeOffset);
// From a whole game file already in memory.
GameVersion RecogniseGameBytes(std::span<const std::uint8_t> wholeFile);
// Reads only the bytes the probe needs. An empty, short or unreadable file
// is simply not recognised.
Recognition RecogniseGameFile(const std::wstring& gameFile);

}  // namespace tarnwick
