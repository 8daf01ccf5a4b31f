#include "core/stored/settings_cache.h"

#include "core/stored/data_text_file.h"
#include "core/text/codepage.h"
#include "core/text/text_lines.h"

namespace tarnwick {
namespace {

constexpr std::wstring_view kHeader = L"[配置缓存]";
// The label in front of each value is three characters long.
constexpr std::size_t kLabelLength = 3;
// No field takes more than four digits. A longer value is no value the
// tool wrote, and an edit control given a very long text lays it all out
// (half a million digits take minutes): the field keeps its default. A
// value up to this length is loaded, and "确认" says what is wrong with it.
constexpr std::size_t kMaxValueLength = 16;
// Sixteen short lines; anything past this is not part of a cache file the
// tool wrote.
constexpr std::size_t kMaxReadBytes = 1 << 20;

}  // namespace

std::string FormatSettingsCache(const FieldTexts& values) {
    std::wstring text(kHeader);
    text += kLineEnd;
    for (int i = 0; i < kFieldCount; ++i) {
        text += kFields[i].caption;
        text += values[i];
        text += kLineEnd;
    }
    return WideToCodePage(text, kGameCodePage);
}

namespace {

template <class Char>
CacheFieldLines<Char> FieldLinesOf(std::basic_string_view<Char> text) {
    CacheFieldLines<Char> fields;
    const auto lines = SplitLines(text);
    for (std::size_t i = 0; i < fields.size() && i + 1 < lines.size(); ++i) fields[i] = lines[i + 1];
    return fields;
}

}  // namespace

CacheFieldLines<char> SplitSettingsCache(std::string_view text) { return FieldLinesOf(text); }
CacheFieldLines<wchar_t> SplitSettingsCache(std::wstring_view text) { return FieldLinesOf(text); }

std::wstring_view CacheLineValue(std::wstring_view line) {
    return line.size() > kLabelLength ? line.substr(kLabelLength) : std::wstring_view();
}

// The bytes are split into lines before decoding, each line on its own, so
// that a damaged character cannot take a line end with it. A file cut
// short leaves the fields it lacks at nullopt, and so does a value longer
// than kMaxValueLength.
CachedValues ParseSettingsCache(std::string_view bytes) {
    CachedValues values;
    const CacheFieldLines<char> lines = SplitSettingsCache(bytes);
    for (int i = 0; i < kFieldCount; ++i) {
        if (!lines[i]) continue;
        // A character takes at most two bytes in code page 936: a line of
        // more bytes than this is too long whatever it holds.
        if (lines[i]->size() > 2 * (kLabelLength + kMaxValueLength)) continue;
        const std::wstring text = CodePageToWide(*lines[i], kGameCodePage);
        const std::wstring_view value = CacheLineValue(text);
        if (value.size() > kMaxValueLength) continue;
        values[i] = std::wstring(value);
    }
    return values;
}

CachedValues ReadSettingsCache(const GameFolder& folder) {
    CachedValues values;
    ReadSettingsFile(folder.SettingsCacheFile(), values);
    return values;
}

DWORD ReadSettingsFile(const std::wstring& path, CachedValues& values) {
    std::string lines;
    const DWORD error = ReadWholeLines(path, kMaxReadBytes, lines);
    values = ParseSettingsCache(lines);
    return error;
}

}  // namespace tarnwick
