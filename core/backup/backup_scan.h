#pragma once
// What an apply needs to know of a backup it may keep, gathered in one
// pass through its open handle: the backup is read in chunks and never
// held whole. The bytes are only looked at, and a buffer of a whole game
// file's size costs more to set up (its pages are new to the process)
// than the reading itself.
#include <cstdint>
#include <span>

#include "core/disk/file_io.h"
#include "core/disk/sha256.h"
#include "core/game/patch_table.h"
#include "core/game/version.h"

namespace tarnwick {

struct BackupScan {
    std::uint64_t size = 0;
    GameVersion version = GameVersion::Unknown;
    bool longEnough = false;   // holds every patch area of its version
    bool patched = false;      // holds the code bytes of a patch of its version
    bool matchesGame = false;  // the game file's length and bytes but for the game's patch areas
    bool sameAsGame = false;   // the game file's length and bytes, every one
    Sha256Digest digest = Sha256().Finish();  // of the bytes read: none yet
};

// Reads the backup open in `backup` from its start; `game` is the whole
// game file and `gameTable` the patch table of its version. Fails with
// ERROR_FILE_TOO_LARGE, before reading, for a file larger than any game
// file.
DWORD ScanBackup(const fileio::File& backup, std::span<const std::uint8_t> game, const PatchTable& gameTable,
                 BackupScan& scan);

}  // namespace tarnwick
