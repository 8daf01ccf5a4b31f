#pragma once
// The backup step of an apply, in one place: what becomes of the backup is
// decided once, from facts read through handles of the backup and its
// record that stay open from then on, and carried out by one function that
// renames in order and undoes its renames on failure. Every file it
// replaces, moves or deletes is the file it checked, through the handle it
// checked: the backup and its record are moved aside through their
// handles, and a new one goes in only where the name is then free.
#include <optional>

#include "core/backup/apply_backup_plan.h"
#include "core/backup/backup_scan.h"
#include "core/disk/file_io.h"
#include "core/disk/game_folder.h"
#include "core/game/patch_table.h"
#include "core/result.h"

namespace tarnwick {

// The game file as the apply holds it open, all the backup step needs.
struct GameSnapshot {
    GameVersion version = GameVersion::Unknown;
    const PatchTable* table = nullptr;
    const fileio::Bytes* bytes = nullptr;  // the whole file
    fileio::FileIdentity identity;
};

class BackupStep {
public:
    explicit BackupStep(const GameFolder& folder);
    BackupStep(const BackupStep&) = delete;
    BackupStep& operator=(const BackupStep&) = delete;

    // Judges the backup beside the game file, decides, and writes aside
    // what a write needs (the new backup and record under temporary
    // names). A refusal, or a failure to read or write aside, comes back
    // with the game file and every file of the tool as they were.
    OperationResult Decide(const GameSnapshot& game);

    // The backup is another name of the game file itself: the apply must
    // close the game file for Carry, and read it again after.
    bool NeedsGameClosed() const { return decision_.plan == BackupPlan::ReplaceLinkByCopy; }

    // Carries the decision out. On failure the renames made are undone
    // where they can be; where the old backup could not get its name back,
    // the result says where it is.
    OperationResult Carry();

    // Whether the backup the apply relies on is still at its name, as Carry
    // left it: another program may delete or replace it while the game file
    // is patched. True where no backup is relied on.
    bool BackupStillKept() const;

    bool NoOriginal() const { return decision_.plan == BackupPlan::NoOriginal; }
    bool MovedAside() const { return decision_.plan == BackupPlan::MoveAsideAndWrite; }

    // Nothing written aside stays.
    void Abandon();

private:
    OperationResult Fail(const std::wstring& path, DWORD error);
    OperationResult ScanOldBackup(const GameSnapshot& game, BackupFacts& facts, BackupScan& scan);
    DWORD Prepare(const BackupScan& scan, const GameSnapshot& game);
    OperationResult CarryWrite();
    void CommitRecord();
    void PutRecordBack();

    const GameFolder& folder_;
    const std::wstring backupPath_;
    const std::wstring recordPath_;
    BackupDecision decision_;
    fileio::File oldBackup_;  // the backup judged, held from then on
    fileio::File oldRecord_;  // its record, the same way
    std::wstring recordAside_;  // where the old record waits while the new backup goes in
    fileio::PendingFile newBackup_;
    fileio::PendingFile newRecord_;
    bool recordWritten_ = false;
    fileio::FileIdentity gameIdentity_;  // of the game file the backup was judged against
};

}  // namespace tarnwick
