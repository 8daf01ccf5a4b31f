#pragma once
// The "确认" operation: back up the game file, write the fifteen values and
// the code patch into it, then remember the values in the settings cache.
#include "core/fields.h"
#include "core/game_folder.h"
#include "core/result.h"
#include "core/version.h"

namespace tarnwick {

// `version` is the tag read back from the window, not recomputed. Nothing
// is changed unless every check passes; after a failure the game file is
// byte for byte as before and the backup holds the pristine file.
OperationResult ApplyPatch(const GameFolder& folder, GameVersion version,
                           const FieldTexts& values);

}  // namespace tarnwick
