#include "core/operations/backup_step.h"

#include "core/backup/backup_record.h"
#include "core/disk/checked_swap.h"
#include "core/disk/held_file_retry.h"
#include "core/disk/own_file.h"
#include "core/failure_result.h"
#include "core/disk/sha256.h"
#include "core/game/patch_table.h"

namespace tarnwick {

BackupStep::BackupStep(const GameFolder& folder)
    : folder_(folder),
      backupPath_(folder.BackupFile()),
      recordPath_(folder.BackupRecordFile()),
      newBackup_(backupPath_),
      newRecord_(recordPath_) {}

void BackupStep::Abandon() {
    newBackup_.Discard();
    newRecord_.Discard();
    oldBackup_.Close();
    oldRecord_.Close();
}

OperationResult BackupStep::Fail(const std::wstring& path, DWORD error) {
    Abandon();
    return FailureResult(Action::Apply, folder_, path, error, Aftermath::GameUnchanged);
}

// Which file the backup is, whether it is a file of its own, and what its
// bytes are (read once, hashed, never held whole), through the handle that
// is kept.
OperationResult BackupStep::ScanOldBackup(const GameSnapshot& game, BackupFacts& facts, BackupScan& scan) {
    facts.backupPresent = true;
    // Asked without reading: the game file, which the apply holds open,
    // cannot be opened for reading under another name.
    fileio::File name;
    bool isGame = false;
    DWORD error = name.Open(backupPath_, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (!error) error = name.CheckSecondName(game.identity, isGame);
    if (!error && !fileio::NamesOwnFile(name, backupPath_)) error = fileio::kNotOwnFileError;
    facts.backupIsGame = !error && isGame;
    if (!error && !facts.backupIsGame) {
        // With the right to move and delete it, so that whatever becomes of
        // it happens to this very file; others may only read it meanwhile.
        error = fileio::RetryWhileHeld(backupPath_, [this] {
            return oldBackup_.Open(backupPath_, GENERIC_READ | DELETE | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ);
        });
        if (!error) error = ScanBackup(oldBackup_, *game.bytes, *game.table, scan);
    }
    // A backup far larger than any game file is no original; one that
    // cannot be read may be, so nothing is decided without it.
    if (error == ERROR_FILE_TOO_LARGE) {
        facts.backupReadable = false;
        scan = {};
    } else if (error) {
        return Fail(backupPath_, error);
    }
    facts.backupVersion = scan.version;
    facts.backupLongEnough = scan.longEnough;
    facts.backupPatched = scan.patched;
    facts.backupMatchesGame = scan.matchesGame;
    facts.backupSameAsGame = scan.sameAsGame;
    return {};
}

OperationResult BackupStep::Decide(const GameSnapshot& game) {
    BackupFacts facts;
    facts.gameVersion = game.version;
    facts.gamePatched = IsPatched(*game.bytes, *game.table);
    facts.gameNames = game.identity.links;
    BackupScan scan;
    const bool backupPresent = fileio::FileExists(backupPath_);
    if (backupPresent) {
        OperationResult scanned = ScanOldBackup(game, facts, scan);
        if (!scanned.Succeeded()) return scanned;
    }
    if (DWORD error = OpenBackupRecord(recordPath_, oldRecord_)) return Fail(recordPath_, error);
    const std::optional<BackupRecord> record = ReadBackupRecord(oldRecord_);
    if (backupPresent) {
        if (record) facts.record = record->Describes(scan.size, scan.digest) ? RecordState::Matches : RecordState::Differs;
    } else if (record) {
        facts.record = RecordState::Differs;  // a record of a backup that is gone
    }
    decision_ = DecideBackup(facts);
    gameIdentity_ = game.identity;
    if (decision_.plan == BackupPlan::Refuse) {
        Abandon();
        return OutcomeResult(Action::Apply, decision_.refusal, kGameFileName, Aftermath::GameUnchanged);
    }
    if (DWORD error = Prepare(scan, game)) {
        if (error == ERROR_ALREADY_EXISTS) {
            Abandon();
            return OutcomeResult(Action::Apply, Outcome::BackupAsideTaken, kBackupFileName, Aftermath::GameUnchanged);
        }
        return Fail(backupPath_, error);
    }
    return {};
}

// What the decision needs before anything is renamed: the new backup and
// record written aside, and the name the old backup moves to free.
DWORD BackupStep::Prepare(const BackupScan& scan, const GameSnapshot& game) {
    switch (decision_.plan) {
        case BackupPlan::Keep:
        case BackupPlan::Refuse:
            return 0;
        case BackupPlan::KeepAndRecord:
            // An original kept from before records existed: recorded now,
            // so that it can be checked when it is put back.
            recordWritten_ = !newRecord_.Write(FormatBackupRecord({scan.size, scan.digest}));
            if (!recordWritten_) newRecord_.Discard();
            return 0;
        case BackupPlan::NoOriginal:
            oldBackup_.Close();
            return 0;
        case BackupPlan::MoveAsideAndWrite:
            // Never over anything: whatever has the second name (a dangling
            // link too) is someone's.
            if (fileio::NameTaken(folder_.BackupAsideFile())) return ERROR_ALREADY_EXISTS;
            break;
        case BackupPlan::WriteFromGame:
        case BackupPlan::ReplaceLinkByCopy:
            break;
    }
    if (fileio::FolderExists(backupPath_)) return ERROR_DIRECTORY;
    // A read-only backup is the player's choice: left alone.
    if (fileio::IsReadOnly(backupPath_)) return ERROR_ACCESS_DENIED;
    if (DWORD error = newBackup_.Write(*game.bytes)) return error;
    // A record that cannot be written (the disk just full) leaves the
    // backup to the checks for unrecorded ones; the patch need not wait.
    recordWritten_ = !newRecord_.Write(FormatBackupRecord({game.bytes->size(), Sha256Of(*game.bytes)}));
    if (!recordWritten_) newRecord_.Discard();
    return 0;
}

// The new record goes where the name is free (the old one moved aside
// first); one that cannot go in leaves the backup unrecorded.
void BackupStep::CommitRecord() {
    if (!recordWritten_) return;
    if (newRecord_.CommitWhereFree()) newRecord_.Discard();
    recordWritten_ = false;
}

void BackupStep::PutRecordBack() {
    if (recordAside_.empty()) return;
    if (fileio::RenameWhereFree(oldRecord_, recordPath_) == 0) recordAside_.clear();
}

OperationResult BackupStep::Carry() {
    switch (decision_.plan) {
        case BackupPlan::Keep:
        case BackupPlan::Refuse:
            return {};
        case BackupPlan::KeepAndRecord: {
            if (!recordWritten_) return {};
            const fileio::SwapResult swap = fileio::SwapIn(newRecord_, oldRecord_);
            if (swap.error) newRecord_.Discard();
            recordWritten_ = false;
            return {};
        }
        case BackupPlan::NoOriginal:
            // A record of a backup that is gone would only mislead.
            if (oldRecord_.IsOpen() && !fileio::FileExists(backupPath_) && oldRecord_.DeleteAndClose()) {
                oldRecord_.Close();
            }
            return {};
        default:
            return CarryWrite();
    }
}

// The old record goes first: a backup must never stand beside a record of
// another file, while one with no record is still checked against the
// game file.
OperationResult BackupStep::CarryWrite() {
    if (oldRecord_.IsOpen()) {
        if (DWORD error = fileio::MoveAside(oldRecord_, recordPath_, recordAside_)) return Fail(recordPath_, error);
    }
    if (MovedAside()) {
        // Moved, not copied, and never over another file: killed right
        // after, the original is under its second name and the game file
        // still unpatched.
        const std::wstring aside = folder_.BackupAsideFile();
        if (DWORD error = fileio::RenameWhereFree(oldBackup_, aside)) {
            PutRecordBack();
            if (error != ERROR_ALREADY_EXISTS) return Fail(backupPath_, error);
            Abandon();
            return OutcomeResult(Action::Apply, Outcome::BackupAsideTaken, kBackupFileName, Aftermath::GameUnchanged);
        }
        if (DWORD error = newBackup_.CommitWhereFree()) {
            // Undone: the other game file's original gets its name back.
            const bool back = fileio::RenameWhereFree(oldBackup_, backupPath_) == 0;
            PutRecordBack();
            OperationResult result = Fail(backupPath_, error);
            result.backupMovedAside = !back;
            return result;
        }
    } else {
        if (NeedsGameClosed()) {
            // The backup's name of the game file, now that the apply has
            // closed it; it goes as the other names do.
            DWORD error = oldBackup_.Open(backupPath_, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ);
            bool stillGame = false;
            if (!error) error = oldBackup_.CheckSecondName(gameIdentity_, stillGame);
            if (!error && !stillGame) error = ERROR_ALREADY_EXISTS;  // another file took the name meanwhile
            if (error == ERROR_FILE_NOT_FOUND) error = 0;
            if (error) {
                PutRecordBack();
                return Fail(backupPath_, error);
            }
        }
        const fileio::SwapResult swap = fileio::SwapIn(newBackup_, oldBackup_);
        if (swap.error) {
            PutRecordBack();
            return Fail(backupPath_, swap.error);
        }
    }
    CommitRecord();
    if (oldRecord_.IsOpen() && oldRecord_.DeleteAndClose()) oldRecord_.Close();
    recordAside_.clear();
    // The new backup is held as the kept one is, letting others only read
    // it, while the game file is patched.
    oldBackup_.Close();
    if (oldBackup_.Open(backupPath_, GENERIC_READ, FILE_SHARE_READ) == 0) {
        bool same = false;
        if (oldBackup_.CheckSameFile(newBackup_.WrittenIdentity(), same) || !same) oldBackup_.Close();
    }
    return {};
}

bool BackupStep::BackupStillKept() const {
    if (NoOriginal()) return true;
    return oldBackup_.IsOpen() && oldBackup_.StillNamed();
}

}  // namespace tarnwick
