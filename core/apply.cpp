#include "core/apply.h"

#include <algorithm>
#include <optional>

#include "core/apply_faults.h"
#include "core/codepage.h"
#include "core/file_io.h"
#include "core/folder_lock.h"
#include "core/messages.h"
#include "core/patch_table.h"
#include "core/restore.h"
#include "core/settings_cache.h"

namespace tarnwick {
namespace {

using fileio::Bytes;

// meteor.exe is a few megabytes; anything far larger is not a game file
// the tool should load whole.
constexpr std::uint64_t kMaxGameFileSize = 256u << 20;

struct Area {
    std::uint32_t offset;
    std::uint32_t size;
};

struct Write {
    std::uint32_t offset;
    Bytes bytes;
};

std::optional<ValueProblem> CheckValue(std::wstring_view text, int slotDigits) {
    if (text.empty()) return ValueProblem::Empty;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return ValueProblem::NotDigits;
    }
    if (text.size() > static_cast<std::size_t>(slotDigits)) return ValueProblem::TooLong;
    return std::nullopt;
}

// The sixteen areas a patch may change, in file order.
std::vector<Area> PatchedAreas(const PatchTable& table) {
    std::vector<Area> areas;
    for (std::uint32_t offset : table.valueOffsets) areas.push_back({offset, kSlotSize});
    areas.push_back({table.codeOffset, kCodePatchSize});
    std::sort(areas.begin(), areas.end(), [](const Area& a, const Area& b) { return a.offset < b.offset; });
    return areas;
}

// Every slot is cleared first; then each value is written as its digits
// (with "%" for the hit-point fields), which leaves zero bytes after a
// short value; last come the two no-operation bytes.
std::vector<Write> PatchWrites(const PatchTable& table, const FieldTexts& values) {
    const Bytes clear = DecodePattern(kClearPatternText);
    const Bytes code = DecodePattern(kCodePatchText);
    std::vector<Write> writes;
    for (std::uint32_t offset : table.valueOffsets) writes.push_back({offset, clear});
    for (int i = 0; i < kFieldCount; ++i) {
        std::string text = WideToCodePage(values[i], kGameCodePage);
        if (kFields[i].percent) text += '%';
        writes.push_back({table.valueOffsets[i], Bytes(text.begin(), text.end())});
    }
    writes.push_back({table.codeOffset, code});
    return writes;
}

// Whether the backup is the game file as it is now, apart from what an
// earlier patch wrote, and is itself unpatched: then it still holds the
// game file from before any patch and must be kept. A patched backup is
// never kept: the game file, patched or not, is no worse a backup.
bool BackupIsTheOriginal(const std::wstring& backupPath, const Bytes& game, const PatchTable& table,
                         const std::vector<Area>& areas) {
    Bytes backup;
    if (fileio::ReadFilePrefix(backupPath, game.size() + 1, backup)) return false;
    if (backup.size() != game.size() || IsPatched(backup, table)) return false;
    std::size_t from = 0;
    auto same = [&](std::size_t to) {
        return std::equal(game.begin() + from, game.begin() + to, backup.begin() + from);
    };
    for (const Area& area : areas) {
        if (!same(area.offset)) return false;
        from = area.offset + area.size;
    }
    return same(game.size());
}

// One apply, from the first check to the last rename. The game file stays
// open (others may read it, none may write it) from the checks to the end,
// so what was checked and backed up is what gets patched.
class PatchRun {
public:
    PatchRun(const GameFolder& folder, GameVersion version, const PatchTable& table, const FieldTexts& values,
             const ApplyFaults& faults)
        : folder_(folder),
          version_(version),
          table_(table),
          values_(values),
          faults_(faults),
          areas_(PatchedAreas(table)),
          backup_(folder.BackupFile()),
          cache_(folder.SettingsCacheFile()) {}

    OperationResult Run();

private:
    OperationResult Prepare();
    OperationResult Refuse(const std::wstring& path, DWORD error);
    DWORD Patch();
    DWORD Verify(const Bytes& expected);
    std::wstring PutBack();
    std::wstring CacheNote() const;
    void RemoveCreatedFolders();

    const GameFolder& folder_;
    const GameVersion version_;  // the tag the window shows
    const PatchTable& table_;
    const FieldTexts& values_;
    const ApplyFaults& faults_;
    const std::vector<Area> areas_;

    fileio::File game_;
    Bytes before_;    // the whole game file as it was
    Bytes intended_;  // the same after the patch
    bool keepBackup_ = false;
    fileio::PendingFile backup_;
    fileio::PendingFile cache_;
    DWORD cacheError_ = 0;  // the settings cache cannot be written; the patch goes ahead
    std::vector<std::wstring> createdFolders_;
};

OperationResult PatchRun::Refuse(const std::wstring& path, DWORD error) {
    backup_.Discard();
    cache_.Discard();
    RemoveCreatedFolders();
    return FailureResult(Action::Apply, folder_, path, error, kGameUnchangedText);
}

void PatchRun::RemoveCreatedFolders() {
    // Only folders this run made, and only while they are still empty.
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it) RemoveDirectoryW(it->c_str());
    createdFolders_.clear();
}

// Everything that can be checked or written aside is done before the game
// file, the backup or the cache changes.
OperationResult PatchRun::Prepare() {
    const std::wstring gamePath = folder_.GameFile();
    if (!FileExists(gamePath)) return Refuse(gamePath, ERROR_FILE_NOT_FOUND);
    // Checked by attribute: with full rights the open below would succeed.
    if (fileio::IsReadOnly(gamePath)) return Refuse(gamePath, ERROR_ACCESS_DENIED);
    if (DWORD error = game_.Open(gamePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ)) {
        return Refuse(gamePath, error);
    }
    std::uint64_t size = 0;
    if (DWORD error = game_.Size(size)) return Refuse(gamePath, error);
    if (size > kMaxGameFileSize) return Refuse(gamePath, ERROR_FILE_TOO_LARGE);
    before_.resize(static_cast<std::size_t>(size));
    if (DWORD error = game_.ReadAt(0, before_.data(), before_.size())) return Refuse(gamePath, error);
    // The file may have been replaced (the game reinstalled or updated)
    // since the tag was taken; another version's slots lie elsewhere.
    if (RecogniseGameBytes(before_) != version_) {
        return OutcomeResult(Action::Apply, Outcome::GameFileChanged, L"meteor.exe", kGameUnchangedText);
    }
    if (size < PatchAreasEnd(table_)) {
        return OutcomeResult(Action::Apply, Outcome::GameFileDamaged, L"meteor.exe", kGameUnchangedText);
    }

    intended_ = before_;
    for (const Write& write : PatchWrites(table_, values_)) {
        std::copy(write.bytes.begin(), write.bytes.end(), intended_.begin() + write.offset);
    }

    for (const std::wstring& path : {folder_.DataFolder(), folder_.BackupFolder()}) {
        bool created = false;
        if (DWORD error = fileio::EnsureFolder(path, &created)) return Refuse(path, error);
        if (created) createdFolders_.push_back(path);
    }

    const std::wstring& backupPath = backup_.Destination();
    keepBackup_ = FileExists(backupPath) && BackupIsTheOriginal(backupPath, before_, table_, areas_);
    if (!keepBackup_) {
        if (DWORD error = fileio::CheckReplaceable(backupPath)) return Refuse(backupPath, error);
        if (DWORD error = backup_.Write(before_)) return Refuse(backupPath, error);
    }

    // Only remembers the values for the next start: a cache that cannot be
    // written is reported after the patch, not in its way.
    cacheError_ = fileio::CheckReplaceable(cache_.Destination());
    if (!cacheError_) cacheError_ = cache_.Write(FormatSettingsCache(values_));
    if (cacheError_) cache_.Discard();
    return {};
}

DWORD PatchRun::Patch() {
    int count = 0;
    for (const Write& write : PatchWrites(table_, values_)) {
        if (++count == faults_.failWrite) return ERROR_WRITE_FAULT;
        if (DWORD error = game_.WriteAt(write.offset, write.bytes.data(), write.bytes.size())) return error;
    }
    if (DWORD error = game_.Flush()) return error;
    return Verify(intended_);
}

// Reads the sixteen areas back through the same handle.
DWORD PatchRun::Verify(const Bytes& expected) {
    for (const Area& area : areas_) {
        Bytes actual(area.size);
        if (DWORD error = game_.ReadAt(area.offset, actual.data(), actual.size())) return error;
        if (faults_.corruptReadBack && &expected == &intended_) actual[0] ^= 0xFF;
        if (!std::equal(actual.begin(), actual.end(), expected.begin() + area.offset)) return ERROR_WRITE_FAULT;
    }
    return 0;
}

// After a failure part-way: the areas get their old bytes again. Should
// that fail too, the backup is copied over the game file. Returns the
// sentence that tells the player what state the game file is in.
std::wstring PatchRun::PutBack() {
    bool restored = !faults_.failRollback;
    for (const Area& area : areas_) {
        if (!restored) break;
        restored = !game_.WriteAt(area.offset, before_.data() + area.offset, area.size);
    }
    restored = restored && !game_.Flush() && !Verify(before_);
    if (restored) return std::wstring(kGameUnchangedText);

    game_.Close();
    fileio::PendingFile fromBackup(folder_.GameFile());
    if (!fromBackup.CopyFrom(folder_.BackupFile()) && !fromBackup.Commit()) {
        return L"游戏文件已用备份 Data\\bak\\meteor.bak 恢复。";
    }
    return L"游戏文件可能已损坏，请关闭游戏后点击“还原”恢复备份。";
}

OperationResult PatchRun::Run() {
    OperationResult prepared = Prepare();
    if (!prepared.Succeeded()) return prepared;

    if (!keepBackup_) {
        if (DWORD error = backup_.Commit()) return Refuse(backup_.Destination(), error);
    }

    if (DWORD error = Patch()) {
        const std::wstring state = PutBack();
        cache_.Discard();
        return FailureResult(Action::Apply, folder_, folder_.GameFile(), error, state);
    }

    game_.Close();
    if (!cacheError_) cacheError_ = faults_.failCacheCommit ? ERROR_SHARING_VIOLATION : cache_.Commit();

    OperationResult result;
    result.message = kPatchSucceededText;
    result.restoreButton = RestoreButtonState::Enable;
    if (cacheError_) {
        cache_.Discard();
        result.systemError = cacheError_;
        result.message += CacheNote();
    }
    return result;
}

// The second line of the success message when the values could not be
// remembered: why, and what to do.
std::wstring PatchRun::CacheNote() const {
    const std::wstring& path = cache_.Destination();
    return L"\n但这些数值没能记下来，下次启动时不会自动填入：" +
           ProblemText(OutcomeForError(cacheError_, path, false), DisplayName(folder_, path), cacheError_);
}

}  // namespace

OperationResult ApplyPatchWithFaults(const GameFolder& folder, GameVersion version, const FieldTexts& values,
                                     const ApplyFaults& faults) {
    OperationResult result;
    const PatchTable* table = PatchTableFor(version);
    if (!table) {
        result.outcome = Outcome::VersionUnknown;
        result.message = kVersionUnknownText;
        return result;
    }
    for (int i = 0; i < kFieldCount; ++i) {
        if (auto problem = CheckValue(values[i], kFields[i].slotDigits)) {
            result.outcome = Outcome::InvalidValue;
            result.field = i;
            result.message = InvalidValueText(i, *problem, values[i]);
            return result;
        }
    }
    // Another copy of the tool in the same folder finishes first; what it
    // changed is checked afresh below.
    FolderLock lock(folder);
    if (lock.Busy()) return OutcomeResult(Action::Apply, Outcome::ToolBusy, L"", kGameUnchangedText);
    result = PatchRun(folder, version, *table, values, faults).Run();
    if (!result.Succeeded() && BackupExists(folder)) result.restoreButton = RestoreButtonState::Enable;
    return result;
}

OperationResult ApplyPatch(const GameFolder& folder, GameVersion version, const FieldTexts& values) {
    return ApplyPatchWithFaults(folder, version, values, ApplyFaults{});
}

}  // namespace tarnwick
