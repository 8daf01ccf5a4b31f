#pragma once
// A file the tool has just written is often opened at once by a program
// that reads every new file: a virus scanner (Microsoft Defender, 360,
// 火绒, 腾讯电脑管家) checking the fresh copy of an exe. For that moment a
// rename of it or over it, or its deletion, fails with
// ERROR_SHARING_VIOLATION, or with ERROR_ACCESS_DENIED on NTFS even when
// the scanner lets others delete. The tool's own files (the backup, its
// record, the settings cache, temporary files) are renamed and deleted
// through RetryWhileHeld, which waits such a hold out for about two
// seconds, while the folder's lock is held. Writes into the game file are
// never retried: a write that failed half-way is undone instead.
#include <windows.h>

#include <string>

namespace tarnwick::fileio {

// What a rename or deletion of one of the tool's own files answers when
// another program still held the file after the whole wait: most likely a
// scanner checking it. Nothing was renamed or deleted.
inline constexpr DWORD kHeldByOtherProgramError = ERROR_BUSY;

// The pauses between attempts, in milliseconds: short at first, as most
// scans of a small file end within a few dozen milliseconds, about two
// seconds in all. Another copy of the tool waiting for the folder's lock
// waits longer than that (kFolderLockWaitMs), so a held file does not also
// turn that copy away.
inline constexpr DWORD kHeldRetryPausesMs[] = {20, 40, 80, 160, 300, 500, 900};

// The errors a brief hold by another program gives a rename or deletion.
bool IsHoldError(DWORD error);

// Runs `attempt` (0 or a Win32 error) on the file at `path` until it
// succeeds, fails with an error that is no hold, or has been tried after
// every pause; its last answer. An access denied is a hold only while the
// file may be held: another program has it open against deleting, or its
// deletion is pending. Otherwise it is a real refusal, answered at once.
// (A plain function and its context: std::function would add kilobytes
// to the exe.)
using HeldAttempt = DWORD (*)(void* context);
DWORD RetryWhileHeld(const std::wstring& path, HeldAttempt attempt, void* context);

template <typename Attempt>
DWORD RetryWhileHeld(const std::wstring& path, const Attempt& attempt) {
    return RetryWhileHeld(
        path, [](void* context) -> DWORD { return (*static_cast<const Attempt*>(context))(); },
        const_cast<Attempt*>(&attempt));
}

// The same for an open that another program's sharing refuses (a sharing
// or lock violation) and nothing else: an open refused access is refused
// for good.
DWORD RetryWhileShared(HeldAttempt attempt, void* context);

template <typename Attempt>
DWORD RetryWhileShared(const Attempt& attempt) {
    return RetryWhileShared([](void* context) -> DWORD { return (*static_cast<const Attempt*>(context))(); },
                            const_cast<Attempt*>(&attempt));
}

}  // namespace tarnwick::fileio
