#include "core/disk/held_file_retry.h"

namespace tarnwick::fileio {

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

DWORD RetryWhileShared(HeldAttempt attempt, void* context) {
    DWORD error = attempt(context);
    for (DWORD pause : kHeldRetryPausesMs) {
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) break;
        Sleep(pause);
        error = attempt(context);
    }
    return error;
}

}  // namespace tarnwick::fileio
