#include "core/backup_decision.h"

namespace tarnwick {

BackupDecision DecideBackup(const BackupFacts& facts) {
    // A game file with a name in another folder too is that folder's game
    // as well: patching it or putting another file in its place would
    // change one and not the other, or both without their player knowing.
    const std::uint32_t ownNames = facts.backupPresent && facts.backupIsGame ? 2 : 1;
    if (facts.gameNames > ownNames) return {BackupPlan::Refuse, Outcome::GameFileHardLinked};

    // What "还原" accepts: no other name of the game file, unpatched, of
    // the game's version, whole, and either as recorded or, unrecorded,
    // the game file's own original.
    const bool original = facts.backupPresent && !facts.backupIsGame && facts.backupReadable &&
                          facts.backupVersion != GameVersion::Unknown &&
                          facts.backupVersion == facts.gameVersion && facts.backupLongEnough &&
                          !facts.backupPatched &&
                          (facts.record == RecordState::Matches ||
                           (facts.record == RecordState::None && facts.backupMatchesGame));
    const BackupPlan keep = facts.record == RecordState::Matches ? BackupPlan::Keep : BackupPlan::KeepAndRecord;
    // A patched game file never becomes the backup: a sound one stays, and
    // without one the patch goes ahead with no original kept.
    if (facts.gamePatched) return {original ? keep : BackupPlan::NoOriginal};
    // An unpatched game file is itself an original, the newest one (the
    // game reinstalled or updated since): the backup must be that file.
    if (original && facts.backupMatchesGame) return {keep};
    if (facts.backupPresent && facts.backupIsGame) return {BackupPlan::ReplaceLinkByCopy};
    return {BackupPlan::WriteFromGame};
}

}  // namespace tarnwick
