#pragma once
// What stands in the way on a path: a Win32 error turned into what it
// means for the player, asking the disk where the error alone does not tell
// (a folder standing in a file's place, another program holding the file, a
// disk that cannot be written at all).
#include <string>

#include "core/result.h"

namespace tarnwick {

// What a Win32 error met on `path` means for the player.
Outcome OutcomeForError(unsigned long error, const std::wstring& path, bool isGameFile);

}  // namespace tarnwick
