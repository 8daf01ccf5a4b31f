#pragma once
// What the status command says, line by line: the game folder, the game
// file's version, whether it is patched and its values, the backup as
// "还原" would judge it now, and the settings cache.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/backup/restorable_backup.h"
#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "core/game/version.h"
#include "core/result.h"

namespace tarnwick {

// Fifteen values in field order, each missing where it could not be read.
using ValuesFound = std::array<std::optional<std::wstring>, kFieldCount>;

std::wstring FolderLineText(std::wstring_view fullPath);
// The game file could not be read.
std::wstring GameUnreadableLineText(Outcome outcome, unsigned long error);
// The version, then whether the game file is patched and its values;
// without a patch table for the version (`values` null), that neither can
// be told.
std::wstring GameLinesText(GameVersion version, bool codePageInstalled, bool patched, const ValuesFound* values);
std::wstring BackupLineText(const GameFolder& folder, const BackupInspection& inspection);
// The settings cache named `name`: not there, unreadable (`error`), or
// its values.
std::wstring CacheLinesText(std::wstring_view name, bool present, unsigned long error, const ValuesFound& values);

}  // namespace tarnwick
