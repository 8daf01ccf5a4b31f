#pragma once
// A temporary game folder holding a synthetic meteor.exe, for the apply and
// restore tests.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/disk/game_folder.h"
#include "core/game/version.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::test {

class GameFolderTest : public testing::Test {
private:
    TempFolder temp_;  // made before `folder`, which names it

protected:
    GameFolder folder{temp_.Path()};

    Bytes MakeGame(GameVersion version, std::uint32_t seed = 1, std::size_t size = kSyntheticGameSize) {
        Bytes bytes = MakeSyntheticGame(version, seed, size);
        WriteFileBytes(folder.GameFile(), bytes);
        return bytes;
    }
    Bytes Game() const { return ReadFileBytes(folder.GameFile()); }
    Bytes Backup() const { return ReadFileBytes(folder.BackupFile()); }

    // Temporary files left anywhere in the game folder tree.
    int LeftoverTemporaryFiles() const { return test::LeftoverTemporaryFiles(folder.base); }
};

// Holds a file open the way a running program does: reading, and letting
// others only read.
class HeldOpen {
public:
    explicit HeldOpen(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldOpen() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

inline void MakeReadOnly(const std::wstring& path) { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY); }

}  // namespace tarnwick::test
