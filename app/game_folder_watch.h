#pragma once
// Follows the game folder while the main window is open, active or not:
// one change notification on the folder and the folders below it (the
// game file, the backup in Data\Bak). It holds no handle on Data or
// Data\Bak, which the player, the tool and another copy can then remove or
// replace at any time. The message loop sends the window a message when it
// fires; the window looks at the files again and re-arms the watch.
#include <windows.h>

#include "core/disk/game_folder.h"

namespace tarnwick {

class GameFolderWatch {
public:
    GameFolderWatch() = default;
    ~GameFolderWatch();
    GameFolderWatch(const GameFolderWatch&) = delete;
    GameFolderWatch& operator=(const GameFolderWatch&) = delete;

    // Starts watching `folder`; `message` goes to `window` with the
    // signalled handle as wParam. A watch that cannot be set leaves the
    // window to look again when it is activated.
    void Start(const GameFolder& folder, HWND window, UINT message);
    void Rearm();
    void Stop();

private:
    HANDLE watch_ = INVALID_HANDLE_VALUE;
};

}  // namespace tarnwick
