#pragma once
// What "确认" does with the backup it finds: kept only when it belongs to
// the game file (core/backup/belonging.h); otherwise an unpatched game file
// becomes the backup (a whole original of another game file moved aside
// first, never overwritten) and a patched one never does.
#include "core/backup/belonging.h"
#include "core/result.h"

namespace tarnwick {

enum class BackupPlan {
    Keep,               // the backup is a sound original, recorded
    KeepAndRecord,      // the same, from before records existed: record it now
    WriteFromGame,      // the unpatched game file becomes the backup
    MoveAsideAndWrite,  // the same, the backup (another game file's sound original) moved to its second name first
    ReplaceLinkByCopy,  // the backup is another name of the unpatched game file: make it a real copy
    NoOriginal,         // the game file is patched and no sound original is kept: patch, and say so
    Refuse,             // see `refusal`
};

struct BackupDecision {
    BackupPlan plan = BackupPlan::Refuse;
    Outcome refusal = Outcome::Ok;
};

BackupDecision DecideBackup(const BackupFacts& facts);

}  // namespace tarnwick
