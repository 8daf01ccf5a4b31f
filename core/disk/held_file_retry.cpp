#include "core/disk/held_file_retry.h"

namespace tarnwick::fileio {

bool IsHoldError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

namespace {

// Whether another program holds the file open against deleting, or its
// deletion is pending (then even its attributes are refused).
bool MayBeHeld(const std::wstring& path) {
    const HANDLE probe = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return false;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_ACCESS_DENIED;
}

}  // namespace

DWORD RetryWhileHeld(const std::wstring& path, HeldAttempt attempt, void* context) {
    DWORD error = attempt(context);
    for (DWORD pause : kHeldRetryPausesMs) {
        if (!IsHoldError(error)) break;
        if (error == ERROR_ACCESS_DENIED && !MayBeHeld(path)) break;
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
