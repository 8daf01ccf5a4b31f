#include "core/backup/belonging.h"

namespace tarnwick {

Belonging JudgeBelonging(const BackupFacts& facts) {
    if (!facts.backupReadable || facts.backupVersion == GameVersion::Unknown || !facts.backupLongEnough) {
        return Belonging::Damaged;
    }
    if (facts.backupPatched) return Belonging::NotOriginal;
    if (facts.record == RecordState::Differs) return Belonging::Damaged;
    const bool recorded = facts.record == RecordState::Matches;
    // Nothing to compare with: only a backup the record proves intact is
    // put back (a game file deleted, or spoilt beyond recognition).
    if (!facts.gamePresent || facts.gameVersion == GameVersion::Unknown) {
        return recorded ? Belonging::Belongs : Belonging::Unverifiable;
    }
    if (facts.backupVersion != facts.gameVersion) return Belonging::OtherVersion;
    if (!facts.backupMatchesGame) return recorded ? Belonging::OtherGame : Belonging::Damaged;
    // An unpatched game file is itself the newest original: a backup with
    // other values in its slots is an edited copy of it.
    if (!facts.gamePatched && !facts.backupSameAsGame) return Belonging::NotOriginal;
    return Belonging::Belongs;
}

}  // namespace tarnwick
