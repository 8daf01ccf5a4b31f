#include "core/backup/restorable_backup.h"

#include "core/backup/backup_record.h"
#include "core/backup/belonging.h"
#include "core/disk/file_io.h"
#include "core/disk/held_file_retry.h"
#include "core/disk/own_file.h"
#include "core/disk/sha256.h"
#include "core/game/patch_plan.h"
#include "core/game/patch_table.h"

namespace tarnwick {
namespace {

using fileio::Bytes;

// What the game file is now, as far as the judgement needs: whether it is
// there, which file it is, its version and its bytes, all through one open
// handle. To look, the handle is closed again at once (a file held open
// could not be replaced); to replace, it is kept.
struct GameFacts {
    bool present = false;
    bool ownFile = true;  // no link of that name leading elsewhere
    fileio::FileIdentity identity;
    GameVersion version = GameVersion::Unknown;
    Bytes bytes;
};

DWORD ReadGame(const std::wstring& path, GameHold hold, fileio::File& game, GameFacts& facts) {
    DWORD error = 0;
    if (hold == GameHold::ToReplace) {
        // Others may only read it until the restore is done with it: a
        // program that moments ago began reading it (a scanner) is waited for.
        error = fileio::RetryWhileHeld(path,
            [&] { return game.Open(path, GENERIC_READ | DELETE | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ); });
    } else {
        error = game.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    }
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
    if (error) return error;
    facts.present = true;
    if ((error = game.Identity(facts.identity))) return error;
    facts.ownFile = fileio::NamesOwnFile(game, path);
    // A file far larger than any game file is of no version.
    if ((error = game.ReadAll(facts.bytes, kMaxGameFileSize)) && error != ERROR_FILE_TOO_LARGE) return error;
    facts.version = RecogniseGameBytes(facts.bytes);
    if (hold == GameHold::Look) game.Close();
    return 0;
}

BackupVerdict Judge(const BackupInspection& backup, const Sha256Digest& digest, const fileio::FileIdentity& identity,
                    const std::optional<BackupRecord>& record, const GameFacts& game) {
    if (game.present && !game.ownFile) return BackupVerdict::GameLinked;
    if (game.present && identity.IsSecondNameOf(game.identity)) return BackupVerdict::IsGameFile;
    if (game.present && game.identity.links > 1) return BackupVerdict::GameHardLinked;
    BackupFacts facts;
    facts.gamePresent = game.present;
    facts.gameVersion = game.version;
    const PatchTable* gameTable = PatchTableFor(game.version);
    facts.gamePatched = gameTable && IsPatched(game.bytes, *gameTable);
    facts.backupPresent = true;
    facts.backupVersion = backup.version;
    // A patch never changes the length or anything outside its areas.
    if (const PatchTable* table = PatchTableFor(backup.version)) {
        facts.backupLongEnough = backup.bytes.size() >= PatchAreasEnd(*table);
        facts.backupPatched = IsPatched(backup.bytes, *table);
        facts.backupMatchesGame = SameOutsidePatchAreas(backup.bytes, game.bytes, *table);
    }
    facts.backupSameAsGame = game.present && backup.bytes == game.bytes;
    if (record) facts.record = record->Describes(backup.bytes.size(), digest) ? RecordState::Matches : RecordState::Differs;
    switch (JudgeBelonging(facts)) {
        case Belonging::Belongs: return BackupVerdict::Original;
        case Belonging::NotOriginal: return BackupVerdict::NotOriginal;
        case Belonging::OtherVersion: return BackupVerdict::OtherVersion;
        case Belonging::OtherGame: return BackupVerdict::OtherGame;
        case Belonging::Unverifiable: return BackupVerdict::Unverifiable;
        case Belonging::Damaged: break;
    }
    return BackupVerdict::Damaged;
}

// One candidate for the backup, opened, read and judged. Opened with the
// right to delete it, so that a restore deletes the very file it checked.
// A reader that does not share deleting (a scanner checking the fresh
// backup) is waited for a moment; one that holds it on leaves both files as
// they are, to be tried again later.
void InspectOne(const GameFolder& folder, const std::wstring& backupPath, bool recorded, const GameFacts& game,
                BackupInspection& inspection) {
    inspection.backupPath = backupPath;
    auto unreadable = [&](const std::wstring& path, DWORD error) {
        inspection.verdict = BackupVerdict::Unreadable;
        inspection.error = error;
        inspection.errorPath = path;
    };
    auto notOwn = [&](const std::wstring& path) {
        inspection.verdict = BackupVerdict::NotOwnFile;
        inspection.errorPath = path;
    };
    if (!fileio::FileExists(backupPath)) {
        inspection.verdict = fileio::FolderExists(backupPath) ? BackupVerdict::NotAFile : BackupVerdict::Missing;
        return;
    }
    // Which file it is, asked without reading: the game file, which a
    // restore holds open, cannot be opened again under another name.
    if (game.present && game.ownFile) {
        fileio::File name;
        bool isGame = false;
        if (!name.Open(backupPath, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE) &&
            !name.CheckSecondName(game.identity, isGame) && isGame) {
            inspection.verdict = BackupVerdict::IsGameFile;
            return;
        }
    }
    DWORD error = fileio::RetryWhileHeld(
        backupPath, [&] { return inspection.backup.Open(backupPath, GENERIC_READ | DELETE, FILE_SHARE_READ); });
    if (error == ERROR_SHARING_VIOLATION) error = fileio::kHeldByOtherProgramError;
    if (error) return unreadable(backupPath, error);
    if (!fileio::NamesOwnFile(inspection.backup, backupPath)) return notOwn(backupPath);
    // The record goes with meteor.bak alone, held like it so that the one
    // deleted after a restore is the one read.
    if (recorded) {
        const std::wstring recordPath = folder.BackupRecordFile();
        if (DWORD failure = OpenBackupRecord(recordPath, inspection.record)) {
            if (failure == fileio::kNotOwnFileError) return notOwn(recordPath);
            return unreadable(recordPath, failure);
        }
    }
    Sha256 hash;
    if (DWORD failure = inspection.backup.ReadAll(inspection.bytes, kMaxGameFileSize, &hash)) {
        if (failure != ERROR_FILE_TOO_LARGE) return unreadable(backupPath, failure);
        inspection.verdict = BackupVerdict::Damaged;  // far larger than any game file
        return;
    }
    const Sha256Digest digest = hash.Finish();
    if (DWORD failure = inspection.backup.Identity(inspection.identity)) return unreadable(backupPath, failure);
    inspection.version = RecogniseGameBytes(inspection.bytes);
    const std::optional<BackupRecord> record = recorded ? ReadBackupRecord(inspection.record) : std::nullopt;
    inspection.gameVersion = game.version;
    inspection.verdict = Judge(inspection, digest, inspection.identity, record, game);
}

// Everything of `from`'s judgement, but for the game file, which stays.
void TakeCandidate(BackupInspection& to, BackupInspection& from) {
    to.verdict = from.verdict;
    to.error = from.error;
    to.errorPath = std::move(from.errorPath);
    to.backupPath = std::move(from.backupPath);
    to.backup = std::move(from.backup);
    to.identity = from.identity;
    to.bytes = std::move(from.bytes);
    to.record = std::move(from.record);
    to.version = from.version;
    to.gameVersion = from.gameVersion;
}

}  // namespace

void InspectBackup(const GameFolder& folder, BackupInspection& inspection, GameHold hold) {
    const std::wstring backupPath = folder.BackupFile();
    const std::wstring asidePath = folder.BackupAsideFile();
    const std::wstring gamePath = folder.GameFile();
    inspection.backupPath = backupPath;
    if (!fileio::FileExists(backupPath) && !fileio::FileExists(asidePath)) {
        inspection.verdict = fileio::FolderExists(backupPath) ? BackupVerdict::NotAFile : BackupVerdict::Missing;
        return;
    }
    auto unreadable = [&](const std::wstring& path, DWORD error) {
        inspection.verdict = BackupVerdict::Unreadable;
        inspection.error = error;
        inspection.errorPath = path;
        inspection.game.Close();
    };
    if (fileio::FolderExists(gamePath)) return unreadable(gamePath, ERROR_DIRECTORY);
    GameFacts game;
    if (DWORD error = ReadGame(gamePath, hold, inspection.game, game)) return unreadable(gamePath, error);
    inspection.gameVersion = game.version;
    InspectOne(folder, backupPath, true, game, inspection);
    if (inspection.verdict == BackupVerdict::Original || !fileio::FileExists(asidePath)) return;
    BackupInspection aside;
    InspectOne(folder, asidePath, false, game, aside);
    const bool noBackup = inspection.verdict == BackupVerdict::Missing || inspection.verdict == BackupVerdict::NotAFile;
    if (aside.verdict == BackupVerdict::Original || noBackup) TakeCandidate(inspection, aside);
}

}  // namespace tarnwick
