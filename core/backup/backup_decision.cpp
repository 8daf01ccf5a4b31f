#include "core/backup/backup_decision.h"

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

BackupDecision DecideBackup(const BackupFacts& facts) {
    // A game file with a name in another folder too is that folder's game
    // as well: patching it or putting another file in its place would
    // change one and not the other, or both without their player knowing.
    const std::uint32_t ownNames = facts.backupPresent && facts.backupIsGame ? 2 : 1;
    if (facts.gameNames > ownNames) return {BackupPlan::Refuse, Outcome::GameFileHardLinked};

    // A patched game file never becomes the backup: a backup that belongs
    // stays, and without one the patch goes ahead with no original kept.
    // An unpatched game file is itself an original, the newest one (the
    // game reinstalled or updated since): the backup must be that file.
    if (!facts.backupPresent) return {facts.gamePatched ? BackupPlan::NoOriginal : BackupPlan::WriteFromGame};
    if (facts.backupIsGame) return {facts.gamePatched ? BackupPlan::NoOriginal : BackupPlan::ReplaceLinkByCopy};
    const Belonging belonging = JudgeBelonging(facts);
    if (belonging == Belonging::Belongs) {
        return {facts.record == RecordState::Matches ? BackupPlan::Keep : BackupPlan::KeepAndRecord};
    }
    if (facts.gamePatched) return {BackupPlan::NoOriginal};
    // A whole unpatched file of a known version is somebody's original,
    // whatever its record says: another install's sharing this Data folder,
    // this install's before an update, or this game's before an edit inside
    // its value slots. Nothing tells which of two unpatched files is the
    // pristine one, so the old one is kept under its second name, never
    // overwritten. Only a backup that is no original (patched, cut short,
    // far too large, of no known version) or that holds the game file's
    // very bytes is written over.
    const bool gameBytes = facts.backupVersion == facts.gameVersion && facts.backupMatchesGame && facts.backupSameAsGame;
    const bool wholeOriginal = facts.backupReadable && facts.backupLongEnough &&
                               facts.backupVersion != GameVersion::Unknown && !facts.backupPatched && !gameBytes;
    return {wholeOriginal ? BackupPlan::MoveAsideAndWrite : BackupPlan::WriteFromGame};
}

}  // namespace tarnwick
