#pragma once
// The game folder the window works on.
#include "core/disk/game_folder.h"

namespace tarnwick {

// The current folder when it holds the game file, as a shortcut's "起始位置"
// or a start from the game folder sets it. When it does not, but the folder
// of Tarnwick.exe itself does (started by a launcher, a file manager, or
// "wine ~/games/流星蝴蝶剑/Tarnwick.exe" from the home folder), that folder.
// Neither: the current folder, where the message dialog then says that the
// tool belongs in the game folder.
GameFolder WindowGameFolder();

}  // namespace tarnwick
