#pragma once
// Follows the game folder while the main window is open, active or not:
// a change notification on the folder itself (the game file, and Data
// coming or going) and one on Data\Bak (the backup), or on Data while Bak
// is not there yet. The message loop sends the window a message when one
// fires; the window looks at the files again and re-arms the watch.
#include <windows.h>

#include <string>

#include "core/game_folder.h"

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
    // Re-arms the signalled handle, and moves the inner watch to Data\Bak
    // once that exists (or back to Data once it is gone).
    void Rearm(HANDLE signalled);
    void Stop();

private:
    void WatchInner();

    GameFolder folder_;
    HWND window_ = nullptr;
    UINT message_ = 0;
    HANDLE outer_ = INVALID_HANDLE_VALUE;
    HANDLE inner_ = INVALID_HANDLE_VALUE;
    std::wstring innerPath_;
};

}  // namespace tarnwick
