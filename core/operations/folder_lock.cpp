#include "core/operations/folder_lock.h"

#include <cstdint>

#include "core/disk/file_io.h"
#include "core/disk/held_file_retry.h"
#include "core/disk/own_file.h"
#include "core/disk/trailing_separator.h"
#include "core/text/hex_digits.h"
#include "core/failure_result.h"

namespace tarnwick {
namespace {

// A rename or deletion held by another program is retried for about two
// seconds, less than another copy waits for the folder's lock, so that a
// held file does not also turn that copy away.
constexpr DWORD TotalHeldRetryPause() {
    DWORD total = 0;
    for (DWORD pause : fileio::kHeldRetryPausesMs) total += pause;
    return total;
}
static_assert(TotalHeldRetryPause() >= 1500 && TotalHeldRetryPause() < kFolderLockWaitMs,
              "a held file is waited for about two seconds, less than another copy waits for the lock");

// A lock file that cannot be created for want of rights may also be one
// whose deletion is still pending while a scanner holds it open: that is
// over within moments, so such a refusal is retried this long before the
// folder counts as one that cannot take the file.
constexpr DWORD kDeniedGraceMs = 200;
constexpr DWORD kRetryMs = 10;

// FNV-1a, 64 bits, over the UTF-16 units.
std::uint64_t Hash(const std::wstring& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t unit : text) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 1099511628211ull;
    }
    return hash;
}

// Every copy of the tool may open the mutex, whichever rights it runs
// with: one started "as administrator" and one started plainly must still
// wait for each other.
HANDLE CreateSharedMutex(const std::wstring& name) {
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    HANDLE mutex = CreateMutexW(&attributes, FALSE, name.c_str());
    // Made by a copy with higher rights, it may grant no more than waiting
    // and releasing, which is all that is needed.
    if (!mutex && GetLastError() == ERROR_ACCESS_DENIED) {
        mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
    }
    return mutex;
}

DWORD Remaining(DWORD deadline) {
    const DWORD left = deadline - GetTickCount();
    return static_cast<LONG>(left) > 0 ? left : 0;
}

// Errors that say the folder cannot take a new file at all.
bool FolderTakesNoFile(DWORD error) {
    return error == ERROR_WRITE_PROTECT || error == ERROR_ACCESS_DENIED || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_FILE_NOT_FOUND;
}

}  // namespace

std::wstring NormalisedFolderPath(const std::wstring& folder) {
    bool resolved = false;
    std::wstring path = fileio::WithoutTrailingSeparator(fileio::FinalPath(folder, &resolved));
    // A name resolved through the folder itself has its long names already.
    if (resolved) return fileio::FoldCase(path);
    // Without a resolved name (Windows XP), at least 8.3 names are expanded.
    // Each call looks up every folder of the path, so the buffer is sized
    // for a usual path and a second call is made only for a longer one.
    std::wstring longPath(MAX_PATH, L'\0');
    DWORD length = GetLongPathNameW(path.c_str(), longPath.data(), MAX_PATH);
    if (length >= MAX_PATH) {
        longPath.assign(length, L'\0');
        const DWORD needed = length;
        length = GetLongPathNameW(path.c_str(), longPath.data(), needed);
        if (length >= needed) length = 0;
    }
    if (length > 0) path = longPath.substr(0, length);
    return fileio::FoldCase(path);
}

namespace {

std::wstring LockName(const wchar_t* prefix, const std::wstring& folder) {
    const std::uint64_t hash = Hash(NormalisedFolderPath(folder));
    std::wstring name = prefix;
    AppendHexDigits(name, hash, 16);
    return name;
}

}  // namespace

std::wstring FolderLockName(const std::wstring& folder) { return LockName(L"Tarnwick.GameFolder.", folder); }

std::wstring BackupFolderLockName(const std::wstring& folder) { return LockName(L"Tarnwick.BackupFolder.", folder); }

FolderLock::FolderLock(const GameFolder& folder, LockedFolder which, DWORD waitMs) {
    const DWORD deadline = GetTickCount() + waitMs;
    const bool game = which == LockedFolder::Game;
    TakeMutex(game ? FolderLockName(folder.base) : BackupFolderLockName(folder.BackupFolder()), deadline);
    if (owned_) TakeLockFile(game ? folder.LockFile() : folder.BackupLockFile(), deadline);
}

void FolderLock::TakeMutex(const std::wstring& name, DWORD deadline) {
    // Copies in other sessions (another user switched in) share the global
    // namespace; where that is refused, the session's own still serves.
    mutex_ = CreateSharedMutex(L"Global\\" + name);
    if (!mutex_) mutex_ = CreateSharedMutex(L"Local\\" + name);
    if (!mutex_) {
        failure_ = GetLastError() ? GetLastError() : ERROR_INVALID_HANDLE;
        return;
    }
    switch (WaitForSingleObject(mutex_, Remaining(deadline))) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:  // a copy that ended mid-way; the checks that follow see what it left
            owned_ = true;
            break;
        case WAIT_TIMEOUT:
            busy_ = true;
            break;
        default:
            failure_ = GetLastError() ? GetLastError() : ERROR_INVALID_HANDLE;
            break;
    }
}

// Opens the lock file with no sharing. An existing one is opened as it is,
// a missing one created anew; either way it must be a plain, empty file of
// its own in the game folder before it counts: a link of that name, another
// name of the game file or the backup, or a file with content is never
// written, kept or deleted, and the operation is refused instead.
DWORD FolderLock::OpenLockFile(const std::wstring& path) {
    constexpr DWORD kFlags = FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_OPEN_REPARSE_POINT;
    DWORD error = lockFile_.Open(path, GENERIC_READ | DELETE, 0, OPEN_EXISTING, kFlags);
    // A read-only lock file cannot be deleted afterwards, but it locks all
    // the same: it is opened for reading alone and left in place.
    if (error == ERROR_ACCESS_DENIED && fileio::FileExists(path)) {
        error = lockFile_.Open(path, GENERIC_READ, 0, OPEN_EXISTING, kFlags);
        deletable_ = false;
    } else if (error == ERROR_FILE_NOT_FOUND) {
        // Created only where nothing stands: a link whose target is missing
        // is "there" for CREATE_NEW and is not followed to make that target.
        error = lockFile_.Open(path, GENERIC_READ | DELETE, 0, CREATE_NEW, kFlags);
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
            error = fileio::FileExists(path) ? ERROR_SHARING_VIOLATION : fileio::kNotOwnFileError;
        }
    }
    if (error) return error;
    fileio::FileFacts facts;
    if (DWORD failure = lockFile_.Facts(facts)) {
        lockFile_.Close();
        return failure;
    }
    if (facts.size != 0 || !fileio::IsPlainOwnFile(lockFile_, path, facts)) {
        lockFile_.Close();
        return fileio::kNotOwnFileError;
    }
    return 0;
}

void FolderLock::TakeLockFile(const std::wstring& path, DWORD deadline) {
    const DWORD start = GetTickCount();
    for (;;) {
        deletable_ = true;
        const DWORD error = OpenLockFile(path);
        if (!error) return;
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (!held && fileio::FolderExists(path)) {
            failure_ = ERROR_DIRECTORY;
            failurePath_ = path;
            return;
        }
        if (error == fileio::kNotOwnFileError) {
            failure_ = error;
            failurePath_ = path;
            return;
        }
        const bool maybePending = error == ERROR_ACCESS_DENIED && GetTickCount() - start < kDeniedGraceMs;
        if (!held && !maybePending) {
            if (!FolderTakesNoFile(error)) {
                failure_ = error;
                failurePath_ = path;
            }
            return;  // else the mutex alone serves
        }
        if (Remaining(deadline) == 0) {
            if (held) busy_ = true;
            return;
        }
        Sleep(kRetryMs);
    }
}

OperationResult LockRefusal(Action action, const GameFolder& folder, const FolderLock& lock) {
    if (lock.Busy()) return OutcomeResult(action, Outcome::ToolBusy, L"", Aftermath::GameUnchanged);
    if (lock.Failure() == ERROR_DIRECTORY || lock.Failure() == fileio::kNotOwnFileError) {
        return FailureResult(action, folder, lock.FailurePath(), lock.Failure(), Aftermath::GameUnchanged);
    }
    OperationResult result = OutcomeResult(action, Outcome::LockFailed, L"", Aftermath::GameUnchanged);
    result.systemError = lock.Failure();
    return result;
}

FolderLock::~FolderLock() {
    // Checked when it was opened, and unshared since: the handle still
    // holds the lock file itself, which goes with it. One that cannot go
    // (read-only) stays, empty, for the next copy to open.
    if (lockFile_.IsOpen() && (!deletable_ || lockFile_.DeleteAndClose() != ERROR_SUCCESS)) lockFile_.Close();
    if (owned_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
}

FolderLook::FolderLook(const GameFolder& folder) {
    const std::wstring name = FolderLockName(folder.base);
    mutex_ = CreateSharedMutex(L"Global\\" + name);
    if (!mutex_) mutex_ = CreateSharedMutex(L"Local\\" + name);
    // Without the mutex no copy can be kept out; the look goes ahead, as
    // the window's looks did before.
    if (!mutex_) {
        held_ = true;
        return;
    }
    const DWORD waited = WaitForSingleObject(mutex_, 0);
    owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    held_ = owned_;
}

FolderLook::~FolderLook() {
    if (owned_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
}

}  // namespace tarnwick
