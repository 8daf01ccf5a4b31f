#pragma once
// Temporary files the tool leaves when it is killed part-way (a crash, a
// power cut, a café's shutdown script): "twk*.tmp" beside meteor.exe, in
// Data and in Data\bak, up to the size of a game file each. Apply and
// restore remove them while they hold the folder's lock.
#include <cstdint>
#include <string_view>

#include "core/disk/game_folder.h"

namespace tarnwick {

// A file younger than this may still be on its way into place: the notice
// switch is written without the folder's lock, and its temporary file is
// closed for a moment before the rename.
inline constexpr std::uint64_t kLeftoverAgeSeconds = 60;

// Whether a file's long name is one the tool makes for its temporary
// files: "twk", eight hexadecimal digits as the tool writes them, ".tmp".
bool IsLeftoverName(std::wstring_view name);

// Deletes the tool's own leftovers: files so named (IsLeftoverName) in
// those three folders, where Data and Data\bak lie inside the game folder
// (no link leading out of it), that nothing holds open, that are files of
// their own (no link), and that were last written at least
// kLeftoverAgeSeconds ago. Anything that cannot be deleted is left;
// nothing depends on it.
void RemoveLeftoverFiles(const GameFolder& folder);

}  // namespace tarnwick
