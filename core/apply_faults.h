#pragma once
// Failures that tests can force inside the apply operation, at points
// where real files cannot be made to fail on demand: a write to the game
// file, the read-back check, moving the settings cache into place, and
// putting the game file's old bytes back.
#include "core/apply.h"

namespace tarnwick {

struct ApplyFaults {
    int failWrite = 0;             // the n-th write to the game file fails (from 1); 0: none
    bool corruptReadBack = false;  // the read-back finds a wrong byte
    bool failCacheCommit = false;  // the settings cache cannot be moved into place
    bool failRollback = false;     // the old bytes cannot be written back
};

OperationResult ApplyPatchWithFaults(const GameFolder& folder, GameVersion version, const FieldTexts& values,
                                     const ApplyFaults& faults);

}  // namespace tarnwick
