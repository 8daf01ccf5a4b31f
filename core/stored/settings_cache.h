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
CachedValues ParseSettingsCache(std::string_view bytes);

// A missing or unreadable file gives all nullopt.
CachedValues ReadSettingsCache(const GameFolder& folder);
// Any file in the format of the settings cache (a Data\Slowlysave.cfg
// copied from another machine); the Win32 error when it cannot be read.
DWORD ReadSettingsFile(const std::wstring& path, CachedValues& values);
}  // namespace tarnwick
