#include "core/operations/apply.h"

#include <algorithm>
#include <optional>

#include "core/backup/leftover_files.h"
#include "core/disk/checked_swap.h"
#include "core/disk/file_io.h"
#include "core/disk/held_file_retry.h"
#include "core/disk/own_file.h"
#include "core/disk/sha256.h"
#include "core/operations/patch_io.h"
#include "core/game/patch_plan.h"
#include "core/operations/backup_step.h"
#include "core/operations/folder_lock.h"
#include "core/stored/settings_cache.h"
#include "core/failure_result.h"
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

// One apply, from the first check to the last rename. The game file is
// held open (others may read it, none may write it) from the checks to
// the end, so what was checked and backed up is what gets patched; only
// where the backup is another name of the game file is it closed while
// that name becomes a real copy, and read again after to be sure it is
// still the file checked. A backup that is kept stays open the same way
// (core/operations/backup_step.h).
class PatchRun {
public:
    PatchRun(const GameFolder& folder, std::optional<GameVersion> expected, const FieldTexts& values, PatchIo& io)
        : folder_(folder),
          expected_(expected),
          values_(values),
          io_(io),
          backup_(folder),
          cache_(folder.SettingsCacheFile()) {}

    OperationResult Run();

private:
    OperationResult Prepare();
    OperationResult LockBackupFolder();
    OperationResult Refuse(const std::wstring& path, DWORD error);
    OperationResult Reopen();
    OperationResult RefuseWith(Outcome outcome, std::wstring_view fileName);
    DWORD Patch();
    DWORD Verify(const std::vector<Bytes>& expected);
    Aftermath PutBack();
    FileProblem CacheProblem() const;
    bool StillNamesPatchedFile() const;
    bool AreasAsBefore() const;
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
    std::optional<FolderLock> backupLock_;  // the backup folder's, which other installs may share
    BackupStep backup_;
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
    backup_.Abandon();
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
    // Nothing is written before this open, so a program that is reading
    // the game file for a moment (Explorer's icon, an indexer, a scanner)
    // is waited for, as for the tool's own files; the running game holds
    // it on.
    if (DWORD error = fileio::RetryWhileShared(
            [&] { return game_.Open(gamePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ); })) {
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
    if (OperationResult locked = LockBackupFolder(); !locked.Succeeded()) return locked;
    GameSnapshot snapshot{version_, table_, &before_, gameIdentity_};
    if (OperationResult decided = backup_.Decide(snapshot); !decided.Succeeded()) {
        Abandon();
        return decided;
    }

    // Only remembers the values for the next start: a cache that cannot be
    // written is reported after the patch, not in its way.
    cacheError_ = fileio::CheckReplaceable(cache_.Destination());
    if (!cacheError_) cacheError_ = cache_.Write(FormatSettingsCache(values_));
    if (cacheError_) cache_.Discard();
    return {};
}

// The backup folder, as the system resolves it, may be another install's
// too (a Data folder linked between them): it is locked by its own name
// after the game folder's, so that two installs never judge and replace
// one backup at the same time.
OperationResult PatchRun::LockBackupFolder() {
    backupLock_.emplace(folder_, LockedFolder::Backup);
    if (backupLock_->Held()) return {};
    OperationResult refusal = LockRefusal(Action::Apply, folder_, *backupLock_);
    Abandon();
    return refusal;
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
    // What the areas hold now, through a fresh handle: a patch refused at
    // its first write (a folder guarded against changes lets the file open
    // and refuses every write) has changed nothing.
    if (AreasAsBefore()) return Aftermath::GameUnchanged;
    // The whole file as it was goes in only in place of the very game file
    // this run patched, moved aside through its handle: never over a file
    // another program put at meteor.exe since.
    fileio::File patched;
    bool same = false;
    if (!patched.Open(folder_.GameFile(), DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ) &&
        !patched.CheckSameFile(gameIdentity_, same) && same) {
        fileio::PendingFile asBefore(folder_.GameFile());
        if (!asBefore.Write(before_) && !fileio::SwapIn(asBefore, patched).error) return Aftermath::GameUnchanged;
    }
    return backup_.NoOriginal() ? Aftermath::GameMayBeDamagedNoOriginal : Aftermath::GameMayBeDamaged;
}

OperationResult PatchRun::Run() {
    OperationResult prepared = Prepare();
    if (!prepared.Succeeded()) return prepared;

    if (backup_.NeedsGameClosed()) game_.Close();
    if (OperationResult carried = backup_.Carry(); !carried.Succeeded()) {
        Abandon();
        return carried;
    }
    if (backup_.NeedsGameClosed()) {
        OperationResult reopened = Reopen();
        if (!reopened.Succeeded()) return reopened;
    }

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
    // The backup deleted or replaced by another program meanwhile: no
    // original would be left, so the patch is undone.
    if (!backup_.BackupStillKept()) {
        const Aftermath state = PutBack();
        cache_.Discard();
        backup_.Abandon();
        return OutcomeResult(Action::Apply, Outcome::WrittenFileRemoved, kBackupFileName, state);
    }
    game_.Close();
    backup_.Abandon();
    if (!cacheError_) cacheError_ = io_.CommitCache(cache_);

    OperationResult result;
    result.noOriginalBackup = backup_.NoOriginal();
    result.backupMovedAside = backup_.MovedAside();
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

bool PatchRun::AreasAsBefore() const {
    fileio::File now;
    if (now.Open(folder_.GameFile(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)) return false;
    bool same = false;
    if (now.CheckSameFile(gameIdentity_, same) || !same) return false;
    for (const PatchArea& area : areas_) {
        Bytes actual(area.size);
        if (now.ReadAt(area.offset, actual.data(), actual.size())) return false;
        if (!std::equal(actual.begin(), actual.end(), before_.begin() + static_cast<std::ptrdiff_t>(area.offset))) return false;
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
    // changed is checked afresh below. The backup folder's lock follows
    // once that folder is there.
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
