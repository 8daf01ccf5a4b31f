#include "app/unseen_mapped_drive.h"

#include <windows.h>

#include "core/disk/program_folder.h"

namespace tarnwick {
namespace {

// Elevated by "Run as administrator" (or a manifest asking for it). Windows
// XP has no elevation: the question fails there, and the answer is no.
bool RunsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) && elevation.TokenIsElevated;
    CloseHandle(token);
    return elevated;
}

}  // namespace

bool FolderOnUnseenDrive(const std::wstring& folder) {
    if (folder.size() < 2 || folder[1] != L':') return false;
    const wchar_t root[] = {folder[0], L':', L'\\', 0};
    return GetDriveTypeW(root) == DRIVE_NO_ROOT_DIR;
}

bool StartedElevatedFromUnseenDrive() {
    const std::wstring own = fileio::ProgramFolder();
    return !own.empty() && FolderOnUnseenDrive(own) && RunsElevated();
}

}  // namespace tarnwick
