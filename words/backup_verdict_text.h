#pragma once
// What the status command says of the backup: the inspection's verdict in
// a few words, as "还原" would judge the backup now.
#include <string>

#include "core/backup/backup_check.h"
#include "core/disk/game_folder.h"

namespace tarnwick {

std::wstring BackupVerdictText(const GameFolder& folder, const BackupInspection& inspection);

}  // namespace tarnwick
