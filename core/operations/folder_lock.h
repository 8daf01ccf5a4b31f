#pragma once
// Keeps two copies of the tool that work on one game folder from working
// on its files at the same time: apply and restore each hold the folder's
// lock from their first check to their last rename. Two locks make it:
// - a named mutex, for copies on this machine, named after the folder as
//   the system resolves it (so links, junctions, substituted drives and
//   another drive letter for the same folder all meet in one name);
// - the lock file Tarnwick.lock in the game folder itself, held open with
//   no sharing, which every copy meets whatever path it came by and from
//   whichever machine (a folder served to many). It is the open handle
//   that locks, not the file being there: the file is deleted through
//   that handle when the operation ends, and one left by a copy that
//   crashed is simply opened again. It must be a plain, empty file of its
//   own: anything else of that name is refused and left alone.
// Where the folder cannot take the file at all (a read-only disk or
// folder), the mutex alone serves. Any other failure to lock refuses the
// operation rather than letting it run unguarded.
#include <windows.h>

#include <string>

#include "core/disk/file_io.h"
#include "core/disk/game_folder.h"
#include "core/result.h"

namespace tarnwick {

// How long a copy waits for another one to finish. An apply or a restore
// takes a fraction of a second; the wait is short enough that the window
// does not look hung while it lasts.
inline constexpr DWORD kFolderLockWaitMs = 3000;

// The folder as one spelling: its resolved full path, upper-cased,
// without a trailing backslash, so that ".", "C:\GAMES\Meteor\", a short
// 8.3 name and a link to the same folder agree.
std::wstring NormalisedFolderPath(const std::wstring& folder);

// The mutex's name: a hash of the normalised path, since object names may
// not contain backslashes and are limited in length.
std::wstring FolderLockName(const std::wstring& folder);
// The backup folder's mutex name, apart from any game folder's.
std::wstring BackupFolderLockName(const std::wstring& folder);

// Which folder a lock is for: the game folder, or the backup folder,
// which installs may share (a Data folder linked between them) and which
// is therefore locked by its own name as the system resolves it. An
// operation takes the game folder's lock first and the backup folder's
// after it, always in that order, so two copies never wait for each other
// in a circle.
enum class LockedFolder { Game, Backup };

class FolderLock {
public:
    explicit FolderLock(const GameFolder& folder, DWORD waitMs = kFolderLockWaitMs)
        : FolderLock(folder, LockedFolder::Game, waitMs) {}
    FolderLock(const GameFolder& folder, LockedFolder which, DWORD waitMs = kFolderLockWaitMs);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Held: the operation may go ahead.
    bool Held() const { return !busy_ && !failure_; }
    // Another copy held the folder for the whole wait.
    bool Busy() const { return busy_; }
    // The lock could not be taken for another reason: the Win32 error, and
    // the path it concerns (the lock file, or empty for the mutex).
    DWORD Failure() const { return failure_; }
    const std::wstring& FailurePath() const { return failurePath_; }

private:
    void TakeMutex(const std::wstring& name, DWORD deadline);
    void TakeLockFile(const std::wstring& path, DWORD deadline);
    DWORD OpenLockFile(const std::wstring& path);

    HANDLE mutex_ = nullptr;
    bool owned_ = false;
    bool busy_ = false;
    DWORD failure_ = 0;
    std::wstring failurePath_;
    fileio::File lockFile_;
    bool deletable_ = true;  // opened with the right to delete it
};

// The game folder's mutex alone, taken without waiting, for a look at the
// folder's files (the window reading the game file again) that must not
// meet another copy's apply or restore half-way: a file held open for
// reading cannot be replaced. The lock file is left alone, since making it
// would itself change the folder. NoOtherCopyAtWork() is false while
// another copy works in the folder.
class FolderLook {
public:
    explicit FolderLook(const GameFolder& folder);
    ~FolderLook();
    FolderLook(const FolderLook&) = delete;
    FolderLook& operator=(const FolderLook&) = delete;

    // Whether the look may go ahead: no other copy works in the folder now.
    bool NoOtherCopyAtWork() const { return held_; }

private:
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
    bool held_ = false;
};

// What an operation answers when `lock` is not held: another copy is busy,
// or the lock could not be taken. Nothing was changed either way.
OperationResult LockRefusal(Action action, const GameFolder& folder, const FolderLock& lock);

}  // namespace tarnwick
