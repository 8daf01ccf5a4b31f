#pragma once
// The commands that change a game folder, apply and restore (status, which
// only reads, is in cli/status_command.h). They run the window's own
// operations: the same checks, lock, backup rules and messages as "确认"
// and "还原".
#include "cli/arguments.h"
#include "cli/reply.h"
#include "core/disk/game_folder.h"

namespace tarnwick::cli {

// apply: the request's values, or those of its --from file, or those of
// the folder's settings cache, written as "确认" writes them.
Reply RunApply(const GameFolder& folder, const Request& request);
// restore: as "还原".
Reply RunRestore(const GameFolder& folder);

}  // namespace tarnwick::cli
