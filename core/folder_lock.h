#pragma once
// Keeps two copies of the tool started in the same game folder from
// working on its files at the same time: apply and restore each hold a
// named mutex of that folder from their first check to their last rename.
#include <windows.h>

#include <string>

#include "core/game_folder.h"

namespace tarnwick {

// How long a copy waits for another one to finish. An apply or a restore
// takes a fraction of a second; the wait is short enough that the window
// does not look hung while it lasts.
inline constexpr DWORD kFolderLockWaitMs = 3000;

// The folder as one spelling: its full long path, upper-cased, without a
// trailing backslash, so that ".", "C:\GAMES\Meteor\" and a short 8.3 name
// of the same folder agree.
std::wstring NormalisedFolderPath(const std::wstring& folder);

// The mutex's name: a hash of the normalised path, since object names may
// not contain backslashes and are limited in length.
std::wstring FolderLockName(const std::wstring& folder);

class FolderLock {
public:
    explicit FolderLock(const GameFolder& folder, DWORD waitMs = kFolderLockWaitMs);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Another copy held the folder for the whole wait. When the mutex
    // cannot be made at all, the tool works as if alone rather than not
    // at all.
    bool Busy() const { return busy_; }

private:
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
    bool busy_ = false;
};

}  // namespace tarnwick
