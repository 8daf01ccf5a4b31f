#include "core/held_file_retry.h"

#include "core/folder_lock.h"

namespace tarnwick::fileio {
namespace {

constexpr DWORD TotalPause() {
    DWORD total = 0;
    for (DWORD pause : kHeldRetryPausesMs) total += pause;
    return total;
}
static_assert(TotalPause() >= 1500 && TotalPause() < kFolderLockWaitMs,
              "a held file is waited for about two seconds, less than another copy waits for the lock");

}  // namespace

bool IsHoldError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

DWORD RetryWhileHeld(HeldAttempt attempt, void* context) {
    DWORD error = attempt(context);
    for (DWORD pause : kHeldRetryPausesMs) {
        if (!IsHoldError(error)) break;
        Sleep(pause);
        error = attempt(context);
    }
    return error;
}

}  // namespace tarnwick::fileio
