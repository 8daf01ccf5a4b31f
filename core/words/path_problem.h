#pragma once
// What went wrong with a path: a Win32 error turned into what it means for
// the player, asking the disk where the error alone does not tell (a folder
// standing in a file's place, another program holding the file, a disk that
// cannot be written at all).
#include <string>
#include <string_view>

#include "core/disk/game_folder.h"
#include "core/result.h"
#include "core/words/messages.h"

namespace tarnwick {

// What a Win32 error met on `path` means for the player.
Outcome OutcomeForError(unsigned long error, const std::wstring& path, bool isGameFile);

// A failed operation on `path`, with its outcome and text filled in.
OperationResult FailureResult(Action action, const GameFolder& folder, const std::wstring& path,
                              unsigned long error, std::wstring_view stateNote = {});

}  // namespace tarnwick
