#include "core/operations/apply.h"

#include <algorithm>
#include <optional>

#include "core/backup/backup_decision.h"
#include "core/backup/backup_record.h"
#include "core/backup/backup_scan.h"
#include "core/backup/leftover_files.h"
#include "core/disk/file_io.h"
#include "core/disk/own_file.h"
#include "core/disk/sha256.h"
#include "core/disk/step_watch.h"
#include "core/game/patch_io.h"
#include "core/game/patch_plan.h"
#include "core/operations/folder_lock.h"
#include "core/stored/settings_cache.h"
#include "core/disk/path_problem.h"
#include "core/text/codepage.h"

namespace tarnwick {
namespace {

using fileio::Bytes;

// A game file of no version the tool has a patch table for. Whether the
// game's code page is installed goes with it: without code page 936 no
// game can be recognised.
OperationResult UnknownVersionResult() {
    OperationResult result;
    result.outcome = Outcome::VersionUnknown;
    result.codePageInstalled = CodePageInstalled(kGameCodePage);
    return result;
}

// One apply, from the first check to the last rename. The game file stays
// open (others may read it, none may write it) from the checks to the end,
// so what was checked and backed up is what gets patched; a backup that is
// kept stays open the same way, so it is still the one checked when the
// patch is done.
class PatchRun {
public:
    PatchRun(const GameFolder& folder, std::optional<GameVersion> expected, const FieldTexts& values, PatchIo& io)
        : folder_(folder),
          expected_(expected),
          values_(values),
          io_(io),
          backup_(folder.BackupFile()),
          record_(folder.BackupRecordFile()),
          cache_(folder.SettingsCacheFile()) {}

    OperationResult Run();

private:
    OperationResult Prepare();
    OperationResult PrepareBackup();
    OperationResult Refuse(const std::wstring& path, DWORD error);
    OperationResult Reopen();
    OperationResult RefuseWith(Outcome outcome, std::wstring_view fileName);
    DWORD Patch();
    DWORD Verify(const std::vector<Bytes>& expected);
    Aftermath PutBack();
    FileProblem CacheProblem() const;
    bool StillNamesPatchedFile() const;
    void Abandon();

    const GameFolder& folder_;
    const std::optional<GameVersion> expected_;  // the tag the window shows; none from the command line
    const FieldTexts& values_;
    PatchIo& io_;
    // Of the version the game file is of, once it has been read.
    GameVersion version_ = GameVersion::Unknown;
    const PatchTable* table_ = nullptr;
    std::vector<PatchWrite> plan_;
    std::vector<PatchArea> areas_;

    fileio::File game_;
    fileio::FileIdentity gameIdentity_;
    Bytes before_;    // the whole game file as it was
    std::vector<Bytes> intended_;  // what each patch area holds after the patch
    fileio::File keptBackup_;  // the backup that stays, held while the patch is done
    bool writeBackup_ = false;
    bool reopenGame_ = false;
    bool noOriginal_ = false;  // no unpatched original of this game file is kept anywhere
    bool moveAside_ = false;   // the backup is another game file's original: kept under its second name
    fileio::PendingFile backup_;
    fileio::PendingFile record_;
    bool writeRecord_ = false;
    fileio::PendingFile cache_;
    DWORD cacheError_ = 0;  // the settings cache cannot be written; the patch goes ahead
    std::vector<std::wstring> createdFolders_;
};

OperationResult PatchRun::Refuse(const std::wstring& path, DWORD error) {
    Abandon();
    return FailureResult(Action::Apply, folder_, path, error, Aftermath::GameUnchanged);
}

OperationResult PatchRun::RefuseWith(Outcome outcome, std::wstring_view fileName) {
    Abandon();
    return OutcomeResult(Action::Apply, outcome, fileName, Aftermath::GameUnchanged);
}

// Nothing written aside stays, and only folders this run made go, and only
// while they are still empty.
void PatchRun::Abandon() {
    backup_.Discard();
    record_.Discard();
    cache_.Discard();
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it) RemoveDirectoryW(it->c_str());
    createdFolders_.clear();
}

// Everything that can be checked or written aside is done before the game
// file, the backup or the cache changes.
OperationResult PatchRun::Prepare() {
    const std::wstring gamePath = folder_.GameFile();
    if (fileio::FolderExists(gamePath)) return Refuse(gamePath, ERROR_DIRECTORY);
    if (!fileio::FileExists(gamePath)) return Refuse(gamePath, ERROR_FILE_NOT_FOUND);
    // Checked by attribute: with full rights the open below would succeed.
    if (fileio::IsReadOnly(gamePath)) return Refuse(gamePath, ERROR_ACCESS_DENIED);
    if (DWORD error = game_.Open(gamePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ)) {
        return Refuse(gamePath, error);
    }
    if (DWORD error = game_.ReadAll(before_, kMaxGameFileSize)) return Refuse(gamePath, error);
    if (DWORD error = game_.Identity(gameIdentity_)) return Refuse(gamePath, error);
    // meteor.exe a link to another install's game: patching it would change
    // that game, and a restore would put a file in the link's place.
    if (!fileio::NamesOwnFile(game_, gamePath)) return RefuseWith(Outcome::GameFileLinked, kGameFileName);
    // The file may have been replaced (the game reinstalled or updated)
    // since the tag was taken; another version's slots lie elsewhere.
    version_ = RecogniseGameBytes(before_);
    if (expected_ && version_ != *expected_) return RefuseWith(Outcome::GameFileChanged, kGameFileName);
    table_ = PatchTableFor(version_);
    if (!table_) {
        Abandon();
        return UnknownVersionResult();
    }
    if (before_.size() < PatchAreasEnd(*table_)) return RefuseWith(Outcome::GameFileDamaged, kGameFileName);
    plan_ = PlanPatch(*table_, values_);
    areas_ = PatchedAreas(*table_);
    intended_ = PatchedAreaContents(before_, areas_, plan_);

    for (const std::wstring& path : {folder_.DataFolder(), folder_.BackupFolder()}) {
        bool created = false;
        if (DWORD error = fileio::EnsureFolder(path, &created)) return Refuse(path, error);
        if (created) createdFolders_.push_back(path);
    }
    OperationResult backup = PrepareBackup();
    if (!backup.Succeeded()) return backup;

    // Only remembers the values for the next start: a cache that cannot be
    // written is reported after the patch, not in its way.
    cacheError_ = fileio::CheckReplaceable(cache_.Destination());
    if (!cacheError_) cacheError_ = cache_.Write(FormatSettingsCache(values_));
    if (cacheError_) cache_.Discard();
    return {};
}

// Gathers what the backup decision needs, through handles: which file the
// backup is, whether it is a file of its own, what its bytes are (read
// once, hashed, never held whole) and the record. Then acts on the
// decision.
OperationResult PatchRun::PrepareBackup() {
    const std::wstring& backupPath = backup_.Destination();
    const std::wstring& recordPath = record_.Destination();
    // A link where the record belongs is never read, replaced or deleted.
    if (DWORD error = fileio::CheckOwnName(recordPath)) return Refuse(recordPath, error);
    const std::optional<BackupRecord> record = ReadBackupRecord(recordPath);

    BackupFacts facts;
    facts.gameVersion = version_;
    facts.gamePatched = IsPatched(before_, *table_);
    facts.gameNames = gameIdentity_.links;
    BackupScan backup;
    if (fileio::FileExists(backupPath)) {
        facts.backupPresent = true;
        // Which file it is, asked without reading: the game file, which this
        // run holds open, cannot be opened for reading under another name.
        fileio::File name;
        bool isGame = false;
        DWORD error = name.Open(backupPath, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        if (!error) error = name.CheckSecondName(gameIdentity_, isGame);
        if (!error && !fileio::NamesOwnFile(name, backupPath)) error = fileio::kNotOwnFileError;
        facts.backupIsGame = !error && isGame;
        if (!error && !facts.backupIsGame) error = keptBackup_.Open(backupPath, GENERIC_READ, FILE_SHARE_READ);
        if (!error && !facts.backupIsGame) error = ScanBackup(keptBackup_, before_, *table_, backup);
        // A backup far larger than any game file is no original; one that
        // cannot be read may be, so nothing is decided without it.
        if (error == ERROR_FILE_TOO_LARGE) {
            facts.backupReadable = false;
            backup = {};
        } else if (error) {
            return Refuse(backupPath, error);
        }
        facts.backupVersion = backup.version;
        facts.backupLongEnough = backup.longEnough;
        facts.backupPatched = backup.patched;
        facts.backupMatchesGame = backup.matchesGame;
        facts.backupSameAsGame = backup.sameAsGame;
        if (record) facts.record = record->Describes(backup.size, backup.digest) ? RecordState::Matches : RecordState::Differs;
    } else if (record) {
        facts.record = RecordState::Differs;  // a record of a backup that is gone
    }

    const BackupDecision decision = DecideBackup(facts);
    switch (decision.plan) {
        case BackupPlan::Refuse:
            return RefuseWith(decision.refusal, kGameFileName);
        case BackupPlan::KeepAndRecord:
            // An original kept from before records existed: recorded now,
            // so that it can be checked when it is put back.
            writeRecord_ = !record_.Write(FormatBackupRecord({backup.size, backup.digest}));
            if (!writeRecord_) record_.Discard();
            return {};
        case BackupPlan::Keep:
            return {};
        case BackupPlan::NoOriginal:
            keptBackup_.Close();
            noOriginal_ = true;
            return {};
        case BackupPlan::MoveAsideAndWrite: {
            // Never over anything: whatever has the second name is someone's.
            const std::wstring aside = folder_.BackupAsideFile();
            DWORD attributes = 0;
            if (DWORD error = fileio::ExistingAttributes(aside, attributes)) return Refuse(aside, error);
            if (attributes != INVALID_FILE_ATTRIBUTES) return RefuseWith(Outcome::BackupAsideTaken, kBackupFileName);
            moveAside_ = true;
            break;
        }
        case BackupPlan::WriteFromGame:
        case BackupPlan::ReplaceLinkByCopy:
            break;
    }
    keptBackup_.Close();
    writeBackup_ = true;
    // A backup that is another name of the game file is replaced by a real
    // copy; the game file must be closed for that, and is read again after.
    reopenGame_ = decision.plan == BackupPlan::ReplaceLinkByCopy;
    for (const std::wstring& path : {backupPath, recordPath}) {
        if (path == backupPath && reopenGame_) continue;
        if (DWORD error = fileio::CheckReplaceable(path)) return Refuse(path, error);
    }
    if (DWORD error = backup_.Write(before_)) return Refuse(backupPath, error);
    // A record that cannot be written (the disk just full) leaves the
    // backup to the checks for unrecorded ones; the patch need not wait.
    writeRecord_ = !record_.Write(FormatBackupRecord({before_.size(), Sha256Of(before_)}));
    if (!writeRecord_) record_.Discard();
    return {};
}

// The game file open again after its second name became a real backup: it
// must still be the file that was checked and copied.
OperationResult PatchRun::Reopen() {
    const std::wstring gamePath = folder_.GameFile();
    Bytes now;
    if (DWORD error = game_.Open(gamePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ)) return Refuse(gamePath, error);
    if (DWORD error = game_.ReadAll(now, kMaxGameFileSize)) return Refuse(gamePath, error);
    if (now != before_) return RefuseWith(Outcome::GameFileChanged, kGameFileName);
    return {};
}

// The code bytes go first and reach the disk before any value changes: a
// patch cut short anywhere (a crash, a power cut, a killed process) leaves
// a file that reads as patched, never one that passes for an original.
DWORD PatchRun::Patch() {
    for (std::size_t i = 0; i < plan_.size(); ++i) {
        const PatchWrite& write = plan_[i];
        if (DWORD error = io_.Write(game_, write.offset, write.bytes.data(), write.bytes.size())) return error;
        if (i == kCodeWrite) {
            if (DWORD error = io_.Flush(game_)) return error;
        }
    }
    if (DWORD error = io_.Flush(game_)) return error;
    return Verify(intended_);
}

// Reads the sixteen areas back through the same handle; `expected` holds
// each area's bytes in the order of the areas.
DWORD PatchRun::Verify(const std::vector<Bytes>& expected) {
    for (std::size_t i = 0; i < areas_.size(); ++i) {
        Bytes actual(areas_[i].size);
        if (DWORD error = io_.Read(game_, areas_[i].offset, actual.data(), actual.size())) return error;
        if (actual != expected[i]) return ERROR_WRITE_FAULT;
    }
    return 0;
}

// After a failure part-way: the areas get their old bytes again. Should
// that fail too, the whole game file as it was is written beside it and
// moved into its place. Returns what state the game file is in.
Aftermath PatchRun::PutBack() {
    // The values first and the code bytes last, each on disk before the
    // next step: until the very end the file still reads as patched.
    bool restored = true;
    for (const PatchArea& area : areas_) {
        if (!restored) break;
        if (area.offset == table_->codeOffset) continue;
        restored = !io_.Write(game_, area.offset, before_.data() + area.offset, area.size);
    }
    restored = restored && !io_.Flush(game_) &&
               !io_.Write(game_, table_->codeOffset, before_.data() + table_->codeOffset, kCodePatchSize);
    restored = restored && !io_.Flush(game_) && !Verify(PatchedAreaContents(before_, areas_, {}));
    if (restored) return Aftermath::GameUnchanged;

    game_.Close();
    fileio::PendingFile asBefore(folder_.GameFile());
    if (!asBefore.Write(before_) && !asBefore.Commit()) return Aftermath::GameUnchanged;
    return noOriginal_ ? Aftermath::GameMayBeDamagedNoOriginal : Aftermath::GameMayBeDamaged;
}

OperationResult PatchRun::Run() {
    OperationResult prepared = Prepare();
    if (!prepared.Succeeded()) return prepared;

    if (moveAside_) {
        // Moved, not copied, and never over another file: killed right
        // after, the original is under its second name and the game file
        // still unpatched.
        fileio::BeforeStep(fileio::Step::Rename, folder_.BackupAsideFile());
        if (!MoveFileExW(backup_.Destination().c_str(), folder_.BackupAsideFile().c_str(), 0)) {
            return Refuse(backup_.Destination(), GetLastError());
        }
    }
    if (writeBackup_) {
        // The old record goes first: a backup must never stand beside a
        // record of another file, while one with no record is still checked
        // against the game file.
        if (DWORD error = fileio::DeleteOwnFile(record_.Destination())) return Refuse(record_.Destination(), error);
        if (reopenGame_) game_.Close();
        if (DWORD error = backup_.Commit()) return Refuse(backup_.Destination(), error);
        if (reopenGame_) {
            OperationResult reopened = Reopen();
            if (!reopened.Succeeded()) return reopened;
        }
    } else if (noOriginal_ && !fileio::FileExists(backup_.Destination())) {
        // A record of a backup that is gone would only mislead.
        fileio::DeleteOwnFile(record_.Destination());
    }
    // A record that cannot be written leaves the backup to the checks for
    // unrecorded ones; the patch need not wait for it.
    if (writeRecord_ && record_.Commit()) record_.Discard();

    if (DWORD error = Patch()) {
        const Aftermath state = PutBack();
        cache_.Discard();
        return FailureResult(Action::Apply, folder_, folder_.GameFile(), error, state);
    }

    // Another program (a launcher's update, a file manager under Wine) may
    // have deleted or replaced the game file behind the open handle: what
    // the name leads to now must be the file written, with its bytes.
    if (!StillNamesPatchedFile()) {
        game_.Close();
        cache_.Discard();
        return OutcomeResult(Action::Apply, Outcome::GameFileReplaced, kGameFileName);
    }
    game_.Close();
    keptBackup_.Close();
    if (!cacheError_) cacheError_ = io_.CommitCache(cache_);

    OperationResult result;
    result.noOriginalBackup = noOriginal_;
    result.backupMovedAside = moveAside_;
    if (cacheError_) {
        cache_.Discard();
        result.valuesNotRemembered = true;
        result.cacheProblem = CacheProblem();
    }
    return result;
}

bool PatchRun::StillNamesPatchedFile() const {
    fileio::File now;
    bool same = false;
    if (now.Open(folder_.GameFile(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)) return false;
    if (now.CheckSameFile(gameIdentity_, same) || !same) return false;
    for (std::size_t i = 0; i < areas_.size(); ++i) {
        Bytes actual(areas_[i].size);
        if (now.ReadAt(areas_[i].offset, actual.data(), actual.size())) return false;
        if (actual != intended_[i]) return false;
    }
    return true;
}

// Why the values could not be remembered.
FileProblem PatchRun::CacheProblem() const {
    const std::wstring& path = cache_.Destination();
    return {OutcomeForError(cacheError_, path, false), DisplayName(folder_, path), cacheError_};
}

}  // namespace

std::optional<ValueProblem> CheckFieldValue(int field, std::wstring_view text) {
    if (text.empty()) return ValueProblem::Empty;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            const bool fullWidth = std::all_of(text.begin(), text.end(), [](wchar_t d) {
                return (d >= L'0' && d <= L'9') || (d >= L'\xFF10' && d <= L'\xFF19');
            });
            return fullWidth ? ValueProblem::FullWidthDigits : ValueProblem::NotDigits;
        }
    }
    if (text.size() > static_cast<std::size_t>(kFields[field].slotDigits)) return ValueProblem::TooLong;
    return std::nullopt;
}

OperationResult ApplyPatchThrough(const GameFolder& folder, std::optional<GameVersion> expected,
                                  const FieldTexts& values, PatchIo& io) {
    if (expected && !PatchTableFor(*expected)) return UnknownVersionResult();
    OperationResult result;
    for (int i = 0; i < kFieldCount; ++i) {
        if (auto problem = CheckFieldValue(i, values[i])) {
            result.outcome = Outcome::InvalidValue;
            result.field = i;
            result.valueProblem = *problem;
            result.value = values[i];
            return result;
        }
    }
    // Another copy of the tool on the same folder finishes first; what it
    // changed is checked afresh below.
    FolderLock lock(folder);
    if (!lock.Held()) return LockRefusal(Action::Apply, folder, lock);
    RemoveLeftoverFiles(folder);
    return PatchRun(folder, expected, values, io).Run();
}

OperationResult ApplyPatch(const GameFolder& folder, std::optional<GameVersion> expected, const FieldTexts& values) {
    PatchIo io;
    return ApplyPatchThrough(folder, expected, values, io);
}

}  // namespace tarnwick
