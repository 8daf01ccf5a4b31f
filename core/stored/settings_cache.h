#pragma once
// The settings cache .\Data\Slowlysave.cfg: the values last applied.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/disk/game_folder.h"
#include "core/game/fields.h"

namespace tarnwick {

// One entry per field; nullopt where the file has no line for the field, so
// the field keeps its default text.
using CachedValues = std::array<std::optional<std::wstring>, kFieldCount>;

std::string FormatSettingsCache(const FieldTexts& values);  // code page 936

// The settings cache's format, which a values file for "apply --from" may
// have too: a header line, not checked, then one line per field in the
// window's order, its value after a label of three characters that are
// dropped whatever they are. Each field's line, nullopt where the text has
// none; lines past the last field's are not part of the format.
template <class Char>
using CacheFieldLines = std::array<std::optional<std::basic_string_view<Char>>, kFieldCount>;
CacheFieldLines<char> SplitSettingsCache(std::string_view text);
CacheFieldLines<wchar_t> SplitSettingsCache(std::wstring_view text);
// A field's value from its decoded line: the line without its label.
std::wstring_view CacheLineValue(std::wstring_view line);

// The bytes of a cache in code page 936. A value too long for any field to
// have been written by the tool is left out (nullopt), so that the field
// keeps its default.
CachedValues ParseSettingsCache(std::string_view bytes);

// A missing or unreadable file gives all nullopt.
CachedValues ReadSettingsCache(const GameFolder& folder);
// Any file in the format of the settings cache (a Data\Slowlysave.cfg
// copied from another machine); the Win32 error when it cannot be read.
DWORD ReadSettingsFile(const std::wstring& path, CachedValues& values);
}  // namespace tarnwick
