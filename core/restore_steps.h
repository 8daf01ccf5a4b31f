#pragma once
// The point inside a restore between checking the backup and copying it,
// where tests change the world (another program replacing the backup) to
// show that what is copied is what was checked; the tool uses it as it is.
#include "core/game_folder.h"
#include "core/result.h"

namespace tarnwick {

class RestoreSteps {
public:
    virtual ~RestoreSteps() = default;
    // The backup has been judged an original and is held open.
    virtual void BackupChecked(const GameFolder&) {}
};

// RestoreGameFile with `steps` called on its way.
OperationResult RestoreGameFileThrough(const GameFolder& folder, RestoreSteps& steps);

}  // namespace tarnwick
