#pragma once
// What an apply does with the backup, decided from facts gathered through
// open handles of the game file, the backup and its record. The backup is
// kept only when "还原" would accept it (the same judgement, record and
// hash included); otherwise an unpatched game file becomes the backup and
// a patched one never does.
#include <cstdint>

#include "core/result.h"
#include "core/version.h"

namespace tarnwick {

enum class RecordState {
    None,      // no record, or none that reads as one
    Matches,   // the backup's length and SHA-256 as recorded
    Differs,   // a record of another file, or of the backup before it changed
};

struct BackupFacts {
    // The game file, as this apply holds it open.
    GameVersion gameVersion = GameVersion::Unknown;
    bool gamePatched = false;
    std::uint32_t gameNames = 1;  // hard links: names the file has
    // The backup, as far as there is one.
    bool backupPresent = false;
    bool backupIsGame = false;  // another name of the game file itself
    bool backupReadable = true;  // false: far larger than any game file
    GameVersion backupVersion = GameVersion::Unknown;
    bool backupPatched = false;
    bool backupLongEnough = false;  // holds every patch area of its version
    bool backupMatchesGame = false;  // the game file's bytes but for the patch areas
    RecordState record = RecordState::None;
};

enum class BackupPlan {
    Keep,               // the backup is a sound original, recorded
    KeepAndRecord,      // the same, from before records existed: record it now
    WriteFromGame,      // the unpatched game file becomes the backup
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
