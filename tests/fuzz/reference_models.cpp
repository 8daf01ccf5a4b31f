// The fuzz tests' oracle: a plain second reading of the formats that random files hold the readers to.
#include "tests/fuzz/reference_models.h"

#include <windows.h>

#include "tests/support/synthetic_game.h"

namespace tarnwick::test::fuzz::model {
namespace {

constexpr unsigned kCodePage = 936;
constexpr std::size_t kProbeStart = 1115647;  // the 1,115,648th byte

VersionTagBuffer FromBuffer(const std::vector<std::uint8_t>& buffer) {
    VersionTagBuffer probe;
    for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
        const wchar_t unit = static_cast<wchar_t>(buffer[i] | (buffer[i + 1] << 8));
        if (unit == 0) break;
        probe.units += unit;
    }
    probe.text = RoundTrip936(probe.units);
    for (GameVersion version : {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07}) {
        if (probe.text == SignatureText(version)) probe.version = version;
    }
    return probe;
}

}  // namespace

std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;  // a line has started and not ended yet
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
            open = true;
        }
    }
    if (open) lines.push_back(line);
    return lines;
}

std::wstring Decode936(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    std::wstring text(bytes.size(), L'\0');  // never more units than bytes
    const int n = MultiByteToWideChar(kCodePage, 0, bytes.data(), length, text.data(), length);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

std::wstring RoundTrip936(std::wstring_view units) {
    if (units.empty()) return {};
    const int length = static_cast<int>(units.size());
    std::string ansi(units.size() * 2, '\0');  // at most two bytes a unit
    const int n = WideCharToMultiByte(kCodePage, 0, units.data(), length, ansi.data(), static_cast<int>(ansi.size()),
                                      nullptr, nullptr);
    ansi.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return Decode936(ansi);
}

std::array<std::optional<std::wstring>, 15> CacheValues(std::string_view file) {
    std::array<std::optional<std::wstring>, 15> values;
    const std::vector<std::string> lines = Lines(file);
    for (std::size_t field = 0; field < values.size(); ++field) {
        const std::size_t line = field + 1;  // line 1 is the header
        if (line >= lines.size()) break;
        const std::wstring text = Decode936(lines[line]);
        if (text.size() > 3 + 16) continue;  // a value of more than 16 characters is not loaded
        values[field] = text.size() <= 3 ? std::wstring() : text.substr(3);
    }
    return values;
}

bool NoticeSwitchedOff(std::string_view file) {
    const std::vector<std::string> lines = Lines(file);
    return lines.size() >= 2 && Decode936(lines[1]) == L"信息：停用";
}

VersionTagBuffer ProbeOfFile(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> buffer(file.size(), 0);
    if (file.size() > kProbeStart) std::copy(file.begin() + kProbeStart, file.end(), buffer.begin());
    return FromBuffer(buffer);
}

VersionTagBuffer ProbeOfBytesFromOffset(const std::vector<std::uint8_t>& bytes) {
    // The file's buffer continues with over a megabyte of zeros; four of
    // them read the same, since a zero unit ends the probe within two.
    std::vector<std::uint8_t> buffer = bytes;
    buffer.resize(bytes.size() + 4, 0);
    return FromBuffer(buffer);
}

}  // namespace tarnwick::test::fuzz::model
