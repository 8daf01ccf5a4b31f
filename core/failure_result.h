#pragma once
// The result of an operation that failed: built here, beside the result
// itself, from what stands in the way on a path (core/disk/path_problem.h)
// or from an outcome of its own.
#include <string>
#include <string_view>

#include "core/disk/game_folder.h"
#include "core/result.h"

namespace tarnwick {

// A failed operation on `path`: what the error means, the file's name as
// the player knows it, and what the failure left of the files.
OperationResult FailureResult(Action action, const GameFolder& folder, const std::wstring& path,
                              unsigned long error, Aftermath aftermath = Aftermath::NotTold);

// A failed operation with an outcome of its own rather than one from a
// Win32 error. `fileName` is shown as given (relative to the game folder).
OperationResult OutcomeResult(Action action, Outcome outcome, std::wstring_view fileName,
                              Aftermath aftermath = Aftermath::NotTold);

}  // namespace tarnwick
