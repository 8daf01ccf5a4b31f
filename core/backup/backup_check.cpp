#include "core/backup/backup_check.h"

#include "core/backup/backup_decision.h"
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
// handle. It is closed again at once: a file held open could not be
// replaced.
struct GameFacts {
    bool present = false;
    bool ownFile = true;  // no link of that name leading elsewhere
    fileio::FileIdentity identity;
    GameVersion version = GameVersion::Unknown;
    Bytes bytes;
};

DWORD ReadGame(const std::wstring& path, GameFacts& facts) {
    fileio::File game;
    DWORD error = game.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
    if (error) return error;
    facts.present = true;
    if ((error = game.Identity(facts.identity))) return error;
    facts.ownFile = fileio::NamesOwnFile(game, path);
    // A file far larger than any game file is of no version.
    if ((error = game.ReadAll(facts.bytes, kMaxGameFileSize)) && error != ERROR_FILE_TOO_LARGE) return error;
    facts.version = RecogniseGameBytes(facts.bytes);
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

}  // namespace

void InspectBackup(const GameFolder& folder, BackupInspection& inspection) {
    const std::wstring backupPath = folder.BackupFile();
    const std::wstring gamePath = folder.GameFile();
    auto unreadable = [&](const std::wstring& path, DWORD error) {
        inspection.verdict = BackupVerdict::Unreadable;
        inspection.error = error;
        inspection.errorPath = path;
    };
    if (!fileio::FileExists(backupPath)) {
        inspection.verdict = fileio::FolderExists(backupPath) ? BackupVerdict::NotAFile : BackupVerdict::Missing;
        return;
    }
    auto notOwn = [&](const std::wstring& path) {
        inspection.verdict = BackupVerdict::NotOwnFile;
        inspection.errorPath = path;
    };
    // Opened with the right to delete it, so that a restore deletes the
    // very file it checked. A reader that does not share deleting (a
    // scanner checking the fresh backup) is waited for a moment; one that
    // holds it on leaves both files as they are, to be tried again later.
    DWORD error = fileio::RetryWhileHeld(
        [&] { return inspection.backup.Open(backupPath, GENERIC_READ | DELETE, FILE_SHARE_READ); });
    if (error == ERROR_SHARING_VIOLATION) error = fileio::kHeldByOtherProgramError;
    if (error) return unreadable(backupPath, error);
    if (!fileio::NamesOwnFile(inspection.backup, backupPath)) return notOwn(backupPath);
    if (fileio::CheckOwnName(folder.BackupRecordFile())) return notOwn(folder.BackupRecordFile());
    Sha256 hash;
    if (DWORD error = inspection.backup.ReadAll(inspection.bytes, kMaxGameFileSize, &hash)) {
        if (error != ERROR_FILE_TOO_LARGE) return unreadable(backupPath, error);
        inspection.verdict = BackupVerdict::Damaged;  // far larger than any game file
        return;
    }
    const Sha256Digest digest = hash.Finish();
    fileio::FileIdentity& identity = inspection.identity;
    if (DWORD error = inspection.backup.Identity(identity)) return unreadable(backupPath, error);
    inspection.version = RecogniseGameBytes(inspection.bytes);
    const std::optional<BackupRecord> record = ReadBackupRecord(folder.BackupRecordFile());

    if (fileio::FolderExists(gamePath)) return unreadable(gamePath, ERROR_DIRECTORY);
    GameFacts game;
    if (DWORD error = ReadGame(gamePath, game)) return unreadable(gamePath, error);
    inspection.gameVersion = game.version;
    inspection.verdict = Judge(inspection, digest, identity, record, game);
}

}  // namespace tarnwick
