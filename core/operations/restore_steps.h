#pragma once
// The points inside a restore between checking the backup and copying it,
// and between putting the game file in place and checking it, where tests
// change the world (another program replacing the backup or the game
// file) to show that what is copied is what was checked and that nothing
// is deleted on a check made before; the tool uses them as they are.
#include "core/disk/game_folder.h"
#include "core/result.h"

namespace tarnwick {

class RestoreSteps {
public:
    virtual ~RestoreSteps() = default;
    // The backup has been judged an original and is held open.
    virtual void BackupChecked(const GameFolder&) {}
    // The backup's bytes have just been moved into the game file's place.
    virtual void GameWritten(const GameFolder&) {}
};

// RestoreGameFile with `steps` called on its way.
OperationResult RestoreGameFileThrough(const GameFolder& folder, RestoreSteps& steps);

}  // namespace tarnwick
