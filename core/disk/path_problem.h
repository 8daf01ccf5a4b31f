#pragma once
// What went wrong with a path: a Win32 error turned into what it means for
// the player, asking the disk where the error alone does not tell (a folder
// standing in a file's place, another program holding the file, a disk that
// cannot be written at all).
#include <string>
#include <string_view>

#include "core/disk/game_folder.h"
#include "core/result.h"

namespace tarnwick {

// What a Win32 error met on `path` means for the player.
Outcome OutcomeForError(unsigned long error, const std::wstring& path, bool isGameFile);

// A failed operation on `path`: what the error means, the file's name as
// the player knows it, and what the failure left of the files.
OperationResult FailureResult(Action action, const GameFolder& folder, const std::wstring& path,
                              unsigned long error, Aftermath aftermath = Aftermath::NotTold);

// A failed operation with an outcome of its own rather than one from a
// Win32 error. `fileName` is shown as given (relative to the game folder).
OperationResult OutcomeResult(Action action, Outcome outcome, std::wstring_view fileName,
                              Aftermath aftermath = Aftermath::NotTold);

}  // namespace tarnwick
