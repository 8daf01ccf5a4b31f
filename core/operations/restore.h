#pragma once
// The "还原" operation: put the backup back in place of the game file.
#include "core/disk/game_folder.h"
#include "core/result.h"

namespace tarnwick {

bool BackupExists(const GameFolder& folder);

OperationResult RestoreGameFile(const GameFolder& folder);

}  // namespace tarnwick
