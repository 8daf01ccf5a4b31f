#pragma once
// status: one line per fact about the game folder, in the order a player
// asks them: which folder, which version, patched or not, the values in
// the game file, the backup, the settings cache.
#include "cli/reply.h"
#include "core/disk/game_folder.h"

namespace tarnwick::cli {

// What the game file, the backup and the settings cache hold now. Reads
// only; the exit code tells a game file that cannot be read or recognised.
Reply RunStatus(const GameFolder& folder);

}  // namespace tarnwick::cli
