#include "core/disk/pending_file.h"

#include <atomic>

#include "core/disk/file_state.h"
#include "core/disk/folder_creation.h"
#include "core/disk/held_file_retry.h"
#include "core/disk/path_forms.h"
#include "core/disk/step_watch.h"
#include "core/text/hex_digits.h"

namespace tarnwick::fileio {

namespace {

// The temporary files' names: the process id times 2^32 divided by the
// golden ratio (Knuth's multiplicative hash), so that neighbouring process
// ids give names far apart, plus the time; then a count times an odd step,
// so that the names of one run go through all 2^32 before one comes again.
constexpr DWORD kNameSpread = 0x9E3779B1u;
constexpr DWORD kNameStep = 0x6F4F2A1Bu;

DWORD ErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error ? error : fallback;
}

}  // namespace

// The temporary file is "twk" and eight hex digits ".tmp" beside the
// destination, made only if no file of that name is there: taken from the
// process id, the time and a count, so copies of the tool and files of one
// run meet seldom, and a name that is taken is passed over. The name is
// built as long as the destination's own path needs, where a fixed buffer
// would overrun in a deep folder.
DWORD PendingFile::Create() {
    if (file_.IsOpen()) return 0;
    static std::atomic<DWORD> count{0};
    const std::wstring folder = ParentFolder(destination_);
    const DWORD seed = GetCurrentProcessId() * kNameSpread + GetTickCount();
    // A name may also be refused for a moment while a file of that name
    // waits to be deleted; a folder that takes no file refuses them all.
    constexpr int kAttempts = 256;
    constexpr int kDeniedAttempts = 8;
    DWORD error = ERROR_CANNOT_MAKE;
    for (int attempt = 0, denied = 0; attempt < kAttempts && denied < kDeniedAttempts; ++attempt) {
        const DWORD unique = seed + count++ * kNameStep;
        std::wstring name = folder + L"\\twk";
        AppendHexDigits(name, unique, 8);
        name += L".tmp";
        error = file_.Open(name, GENERIC_READ | GENERIC_WRITE | DELETE, 0, CREATE_NEW);
        if (!error) {
            temp_ = std::move(name);
            return file_.Identity(tempIdentity_);
        }
        if (error == ERROR_ACCESS_DENIED) {
            ++denied;
        } else if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return CreationError(error, name);
        }
    }
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? ERROR_CANNOT_MAKE : error;
}

DWORD PendingFile::Write(const void* data, std::size_t count) {
    if (DWORD error = Create()) return error;
    std::uint64_t size = 0;
    if (DWORD error = file_.Size(size)) return error;
    if (DWORD error = file_.WriteAt(size, data, count)) return error;
    written_ = true;
    return 0;
}

DWORD PendingFile::Commit() {
    if (!written_) {
        if (DWORD error = Create()) return error;  // an empty file is a valid result
        written_ = true;
    }
    if (DWORD error = file_.Flush()) return error;
    if (DWORD error = file_.Close()) return error;
    BeforeStep(Step::Rename, destination_);
    const DWORD error = RetryWhileHeld(destination_, [this] {
        return MoveFileExW(temp_.c_str(), destination_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : ErrorOr(ERROR_ACCESS_DENIED);
    });
    // Still held after the wait: a program that holds the destination is
    // using it (the game its exe); otherwise it is most likely a scanner
    // checking the fresh file, which the access denied of a rename does
    // not tell apart from its sharing violation.
    if (IsHoldError(error)) return HeldOpenByOthers(destination_) ? ERROR_SHARING_VIOLATION : kHeldByOtherProgramError;
    if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) && !FileExists(temp_)) {
        temp_.clear();
        return kNoLongerNamedError;
    }
    if (error) return error;
    temp_.clear();
    return 0;
}

DWORD PendingFile::CommitWhereFree() {
    if (!written_) {
        if (DWORD error = Create()) return error;
        written_ = true;
    }
    if (DWORD error = file_.Flush()) return error;
    // A Linux program can delete the file though it is held: kNoLongerNamedError.
    if (DWORD error = RetryWhileHeld(temp_, [this] { return file_.RenameTo(destination_); })) return error;
    temp_.clear();
    return file_.Close();
}

// The temporary file goes through its own handle while that is open, and
// otherwise by name only while the name still leads to the file this
// run made: never a file that another program put in its place.
void PendingFile::Discard() {
    if (file_.IsOpen() && file_.DeleteAndClose() != ERROR_SUCCESS) file_.Close();
    if (!temp_.empty()) {
        File byName;
        FileIdentity identity;
        if (!byName.Open(temp_, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT) &&
            !byName.Identity(identity) && identity.SameFileAs(tempIdentity_)) {
            byName.DeleteAndClose();
        }
        temp_.clear();
    }
    written_ = false;
}

DWORD ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
    PendingFile pending(path);
    if (DWORD error = pending.Write(bytes)) return error;
    return pending.Commit();
}

}  // namespace tarnwick::fileio
