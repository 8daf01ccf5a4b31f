#pragma once
// Looks at the game folder on a thread of its own where the folder is on
// a network drive, so that a look that blocks (a server whose link dropped
// keeps each call waiting for the redirector's time-out) never freezes
// the window; on a local disk the window looks itself, which takes a
// fraction of a millisecond and spares a thread. The thread only reads: it takes the attributes of the game file, the backup
// and the notice switch file (which opens nothing), and on request reads
// the game file's version, and posts what it found to the window. One look
// at a time; the window handles every result on its own thread.
#include <windows.h>

#include <memory>

#include "core/disk/file_stamp.h"
#include "core/disk/game_folder.h"
#include "core/game/version.h"

namespace tarnwick {

struct FolderFacts {
    bool folderThere = false;  // the game folder itself is still there
    fileio::FileStamp game;    // meteor.exe
    bool backupThere = false;  // Data\bak\meteor.bak
    fileio::FileStamp hint;    // data\Hint.cfg
    // Asked for a read: whether it was made (no other copy of the tool at
    // work in the folder), and what it gave. `game` is then the stamp taken
    // right before the read.
    bool readAsked = false;
    bool read = false;
    GameVersion version = GameVersion::Unknown;
    unsigned long readError = 0;  // non-zero when the game file could not be read
};

// One look, on the calling thread.
void LookAtFolderNow(const GameFolder& folder, bool read, FolderFacts& facts);

// True when the folder is on a network drive or a network path.
bool OnNetworkDrive(const GameFolder& folder);

class FolderLooker {
public:
    FolderLooker() = default;
    ~FolderLooker();
    FolderLooker(const FolderLooker&) = delete;
    FolderLooker& operator=(const FolderLooker&) = delete;

    // Starts the thread; each result goes to `window` as `message` with a
    // FolderFacts* the window takes over (Take) as lParam.
    bool Start(const GameFolder& folder, HWND window, UINT message);
    // Asks for one look, with the game file read when `read`. False while
    // a look is under way (its result is still to come) or without thread.
    bool Look(bool read);
    // Ends the thread's work; a look blocked in a call ends with its call
    // and its result is dropped.
    void Stop();
    bool Running() const { return shared_ != nullptr; }

    // The facts a result message carries; ends the look it answers.
    std::unique_ptr<FolderFacts> Take(LPARAM lParam);

    struct Shared;

private:
    Shared* shared_ = nullptr;  // one reference of the two it has while the thread runs
    bool busy_ = false;
};

}  // namespace tarnwick
