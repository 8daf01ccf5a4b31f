#pragma once
// Whose original a backup is, judged from facts gathered through open
// handles of the game file, the backup and its record. "还原" and "确认"
// judge a backup by this one function: a backup belongs to a game file when
// the two are identical outside the patch areas, or, for an unpatched game
// file, identical byte for byte. The record proves a backup intact, never
// whose it is.
#include <cstdint>

#include "core/game/version.h"
#include "core/result.h"

namespace tarnwick {

enum class RecordState {
    None,      // no record, or none that reads as one
    Matches,   // the backup's length and SHA-256 as recorded
    Differs,   // a record of another file, or of the backup before it changed
};

struct BackupFacts {
    // The game file, as this apply holds it open (or as "还原" read it).
    bool gamePresent = true;
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
    bool backupSameAsGame = false;   // with backupMatchesGame: the game file's bytes, every one
    RecordState record = RecordState::None;
};

// Whether a backup that is there (and no other name of the game file) is
// this game file's original.
enum class Belonging {
    Belongs,       // the game file's own original
    Damaged,       // cut short, far too large, of no known version, changed since recorded, or unrecorded and unlike the game
    NotOriginal,   // itself patched, or the unpatched game file with other values in its slots
    OtherVersion,  // an original of another version than the game file
    OtherGame,     // an intact original by its record, but of another game file (another install, an older one)
    Unverifiable,  // unrecorded, and no game file of a known version to check it against
};

Belonging JudgeBelonging(const BackupFacts& facts);

}  // namespace tarnwick
