// Process start. Until the main window lands this runs only the start-up
// checks: the game file must be in the current folder.
#include <windows.h>

#include "app/patch/game_folder.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tarnwick::GameFolder folder;
    return tarnwick::FileExists(folder.GameFile()) ? 0 : 1;
}
