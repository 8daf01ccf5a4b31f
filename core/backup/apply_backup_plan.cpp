#include "core/backup/apply_backup_plan.h"

namespace tarnwick {

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
