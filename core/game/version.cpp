#include "core/game/version.h"

#include <algorithm>
#include <array>

#include "core/disk/file_io.h"
#include "core/text/codepage.h"

namespace tarnwick {
namespace {

// Each known version once: its name, and the status line's tag, which the
// apply handler reads back into the version.
struct VersionRow {
    GameVersion version;
    std::wstring_view name;
    std::wstring_view tag;
};
constexpr VersionRow kVersions[] = {
    {GameVersion::V1_07, L"1.07", L"您当前所使用的版本为1.07"},
    {GameVersion::V1_08, L"1.08", L"您当前所使用的版本为1.08"},
    {GameVersion::V9_07, L"9.07", L"您当前所使用的版本为9.07"},
};
constexpr std::wstring_view kTagUnknown = L"无法识别您当前所使用的版本请谨慎使用";

const VersionRow* RowOf(GameVersion version) {
    for (const VersionRow& row : kVersions) {
        if (row.version == version) return &row;
    }
    return nullptr;
}

// What each version's probe text reads after the round trip through code
// page 936; 0x003F stands where the game file holds a unit that code page
// lacks. The 9.07 signature is sixteen units followed by the 1.07 one.
constexpr wchar_t kSignature107[] = {
    0x003F, 0x8BFF, 0x83C8, 0x003F, 0x003F, 0x003F, 0x003F, 0x003F, 0x003F, 0xFF14,
    0x6005, 0x6676, 0x8900, 0x003F, 0x5889, 0x8904, 0x8918, 0x003F, 0x5889, 0x891C,
    0x003F, 0x5E5F, 0x003F, 0x53C3, 0x5756, 0x003F, 0x003F, 0xFF33, 0x003F, 0x003F,
    0x003F, 0x003F, 0x003F, 0x7F2D, 0x5900, 0x8E0F, 0x003F,
};
constexpr wchar_t kSignature108[] = {
    0x5E5F, 0x003F, 0x8BC3, 0x003F, 0x003F, 0x003F, 0x005C, 0x8B56, 0x003F, 0x003F, 0x003F,
    0x003F, 0x7214, 0x8B08, 0x003F, 0x74CA, 0x003F, 0x003F, 0x750F, 0x8B31, 0x003F, 0x0101,
};
constexpr wchar_t kSignature907Head[] = {
    0x74C0, 0x003F, 0x003F, 0xFF19, 0x003F, 0x003F, 0x003F, 0xFF11,
    0x003F, 0x003F, 0x0001, 0x003F, 0x003F, 0xFF51, 0x003F, 0x86E8,
};

constexpr std::wstring_view kView107(kSignature107, std::size(kSignature107));
constexpr std::wstring_view kView108(kSignature108, std::size(kSignature108));
constexpr std::wstring_view kView907Head(kSignature907Head, std::size(kSignature907Head));

constexpr std::size_t kLongestSignature = std::size(kSignature907Head) + std::size(kSignature107);  // 53

// A probe text longer than the longest signature matches nothing, so the
// raw units beyond that length never matter. The round trip can shrink the
// text, though: a surrogate pair may come back as a single "?". Reading
// twice the units of one more than the longest signature is therefore
// enough to tell "longer than any signature" for certain.
static_assert(kProbeReadBytes == 2 * 2 * (kLongestSignature + 1));

}  // namespace

std::wstring_view VersionTagText(GameVersion version) {
    const VersionRow* row = RowOf(version);
    return row ? row->tag : kTagUnknown;
}

std::wstring_view VersionName(GameVersion version) {
    const VersionRow* row = RowOf(version);
    return row ? row->name : L"?";
}

GameVersion VersionFromTag(std::wstring_view tagText) {
    for (const VersionRow& row : kVersions) {
        if (row.tag == tagText) return row.version;
    }
    return GameVersion::Unknown;
}

// The game's bytes are laid over a zero-filled buffer as long as the file,
// so past the end of what was read there are only zeros: an odd last byte
// pairs with a zero high byte, and a zero unit always ends the text. A zero
// byte that pairs with a non-zero one makes a non-zero unit and does not.
std::wstring ProbeUnits(std::span<const std::uint8_t> bytes) {
    std::wstring units;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned low = bytes[i];
        const unsigned high = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        const auto unit = static_cast<wchar_t>(low | (high << 8));
        if (unit == 0) break;
        units.push_back(unit);
    }
    return units;
}

std::wstring ProbeText(std::wstring_view units) {
    return CodePageToWide(WideToCodePage(units, kGameCodePage), kGameCodePage);
}

GameVersion RecogniseProbeText(std::wstring_view probeText) {
    if (probeText == kView107) return GameVersion::V1_07;
    if (probeText == kView108) return GameVersion::V1_08;
    if (probeText.size() == kLongestSignature && probeText.substr(0, kView907Head.size()) == kView907Head &&
        probeText.substr(kView907Head.size()) == kView107) {
        return GameVersion::V9_07;
    }
    return GameVersion::Unknown;
}

// When more of the file follows than is looked at, the units looked at
// are only the start of the probe; with no zero among them the probe is
// longer than any signature, and their round trip is long enough to say so.
Recognition RecogniseProbeBytes(std::span<const std::uint8_t> bytes) {
    Recognition result;
    result.probeText = ProbeText(ProbeUnits(bytes.first(std::min(bytes.size(), kProbeReadBytes))));
    result.version = RecogniseProbeText(result.probeText);
    return result;
}

GameVersion RecogniseGameBytes(std::span<const std::uint8_t> wholeFile) {
    if (wholeFile.size() <= kProbeOffset) return RecogniseProbeBytes({}).version;
    return RecogniseProbeBytes(wholeFile.subspan(kProbeOffset)).version;
}

Recognition RecogniseGameFile(const std::wstring& gameFile) {
    fileio::Bytes bytes;
    std::uint64_t size = 0;
    if (DWORD error = fileio::ReadFileRange(gameFile, kProbeOffset, kProbeReadBytes, bytes, size)) {
        Recognition failed;
        failed.systemError = error;
        return failed;
    }
    return RecogniseProbeBytes(bytes);
}

}  // namespace tarnwick
