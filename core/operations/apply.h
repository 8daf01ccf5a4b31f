#pragma once
// The "确认" operation: back up the game file, write the fifteen values and
// the code patch into it, then remember the values in the settings cache.
#include <optional>
#include <string_view>

#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "core/game/version.h"
#include "core/result.h"

namespace tarnwick {

// What is wrong with a value for the field, if anything: it must be ASCII
// digits only (no sign, space or full-width digit), and no longer than the
// field's slot in the game file holds. ApplyPatch checks every value so
// before anything else.
std::optional<ValueProblem> CheckFieldValue(int field, std::wstring_view text);

// `expected` is the version the caller recognised: the window reads its
// tag back from the status line, and the game file must still be of that
// version. Without it (the command line) the version is the one the game
// file is of when apply reads it, inside the lock. Nothing is changed
// unless every check passes. After a failure the result's aftermath says
// what became of the game file: as it was; or, where the patch could not
// be undone, perhaps damaged, with its original kept for "还原" unless the
// result says no original was kept. A backup that apply found is never
// overwritten while it may be an original: it stays, or is kept as
// meteor.old. A settings cache that cannot be written does not stop the
// patch: the success reports it as a warning. The game folder's lock, and
// the backup folder's after it, are held throughout, so another copy of
// the tool waits.
OperationResult ApplyPatch(const GameFolder& folder, std::optional<GameVersion> expected, const FieldTexts& values);

}  // namespace tarnwick
