#include "app/window_game_folder.h"

#include <string>

#include "core/disk/file_io.h"
#include "core/disk/program_folder.h"

namespace tarnwick {

GameFolder WindowGameFolder() {
    const GameFolder current;
    if (fileio::FileExists(current.GameFile())) return current;
    const std::wstring own = fileio::ProgramFolder();
    if (own.empty()) return current;
    GameFolder beside = GameFolderAt(own);
    return fileio::FileExists(beside.GameFile()) ? beside : current;
}

}  // namespace tarnwick
