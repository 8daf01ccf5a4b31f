#include "core/backup/apply_backup_plan.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// One row a situation: the facts that differ from a sound recorded original
// beside an unpatched game file of the same version, and the plan.
TEST(ApplyBackupPlan, KeepsOnlyWhatRestoreWouldAccept) {
    const BackupFacts sound = {.gameVersion = GameVersion::V1_07,
                               .gamePatched = false,
                               .gameNames = 1,
                               .backupPresent = true,
                               .backupVersion = GameVersion::V1_07,
                               .backupLongEnough = true,
                               .backupMatchesGame = true,
                               .backupSameAsGame = true,
                               .record = RecordState::Matches};
    const struct {
        const char* name;
        void (*change)(BackupFacts&);
        BackupPlan plan;
    } rows[] = {
        {"a sound recorded original", [](BackupFacts&) {}, BackupPlan::Keep},
        {"an unrecorded original", [](BackupFacts& f) { f.record = RecordState::None; }, BackupPlan::KeepAndRecord},
        {"no backup", [](BackupFacts& f) { f.backupPresent = false; }, BackupPlan::WriteFromGame},
        {"a record with another hash", [](BackupFacts& f) { f.record = RecordState::Differs; },
         BackupPlan::WriteFromGame},
        {"a record with another hash, the game patched",
         [](BackupFacts& f) { f.record = RecordState::Differs; f.gamePatched = true; }, BackupPlan::NoOriginal},
        // Intact by its record, but another game file's original (an install
        // sharing Data, or this one before an update): never overwritten.
        {"recorded, the game patched and changed elsewhere",
         [](BackupFacts& f) { f.gamePatched = true; f.backupMatchesGame = false; }, BackupPlan::NoOriginal},
        {"recorded, the game reinstalled unpatched with other bytes",
         [](BackupFacts& f) { f.backupMatchesGame = false; }, BackupPlan::MoveAsideAndWrite},
        {"recorded, of 9.07 beside an unpatched 1.07 game", [](BackupFacts& f) { f.backupVersion = GameVersion::V9_07; },
         BackupPlan::MoveAsideAndWrite},
        {"unrecorded, of 9.07 beside an unpatched 1.07 game",
         [](BackupFacts& f) { f.backupVersion = GameVersion::V9_07; f.record = RecordState::None; },
         BackupPlan::MoveAsideAndWrite},
        {"unrecorded, unlike the unpatched game", [](BackupFacts& f) { f.record = RecordState::None; f.backupMatchesGame = false; },
         BackupPlan::MoveAsideAndWrite},
        // Other values in the slots, the code bytes untouched: nothing tells
        // whether the backup or the game file is the pristine one, so the
        // old one is kept under its second name.
        {"values only, beside the unpatched game", [](BackupFacts& f) { f.backupSameAsGame = false; },
         BackupPlan::MoveAsideAndWrite},
        {"values only, unrecorded, beside the unpatched game",
         [](BackupFacts& f) { f.backupSameAsGame = false; f.record = RecordState::None; }, BackupPlan::MoveAsideAndWrite},
        // A whole original beside another file's record is somebody's original.
        {"a record of another file, a whole original unlike the game",
         [](BackupFacts& f) { f.record = RecordState::Differs; f.backupMatchesGame = false; f.backupSameAsGame = false; },
         BackupPlan::MoveAsideAndWrite},
        {"a record of another file, a patched backup",
         [](BackupFacts& f) { f.record = RecordState::Differs; f.backupPatched = true; f.backupSameAsGame = false; },
         BackupPlan::WriteFromGame},
        {"values only, beside the patched game", [](BackupFacts& f) { f.backupSameAsGame = false; f.gamePatched = true; },
         BackupPlan::Keep},
        {"unrecorded and not the game's original, the game patched",
         [](BackupFacts& f) { f.record = RecordState::None; f.backupMatchesGame = false; f.gamePatched = true; },
         BackupPlan::NoOriginal},
        {"a patched backup", [](BackupFacts& f) { f.backupPatched = true; f.gamePatched = true; },
         BackupPlan::NoOriginal},
        {"a backup of 9.07 beside a 1.07 game",
         [](BackupFacts& f) { f.backupVersion = GameVersion::V9_07; f.gamePatched = true; }, BackupPlan::NoOriginal},
        {"a backup cut short", [](BackupFacts& f) { f.backupLongEnough = false; }, BackupPlan::WriteFromGame},
        {"a backup far too large", [](BackupFacts& f) { f.backupReadable = false; f.gamePatched = true; },
         BackupPlan::NoOriginal},
        {"the backup another name of the game file",
         [](BackupFacts& f) { f.backupIsGame = true; f.gameNames = 2; }, BackupPlan::ReplaceLinkByCopy},
        {"the game file with a name elsewhere", [](BackupFacts& f) { f.gameNames = 2; }, BackupPlan::Refuse},
        {"both", [](BackupFacts& f) { f.backupIsGame = true; f.gameNames = 3; }, BackupPlan::Refuse},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        BackupFacts facts = sound;
        row.change(facts);
        const BackupDecision decision = DecideBackup(facts);
        EXPECT_EQ(decision.plan, row.plan);
        EXPECT_EQ(decision.refusal, row.plan == BackupPlan::Refuse ? Outcome::GameFileHardLinked : Outcome::Ok);
    }
}

}  // namespace
}  // namespace tarnwick
