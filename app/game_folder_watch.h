#pragma once
// Follows the game folder while the main window is open, active or not:
// one change notification on the folder and the folders below it (the
// game file, the backup in Data\Bak). It holds no handle on Data or
// Data\Bak, which the player, the tool and another copy can then remove or
// replace at any time. The message loop sends the window a message when it
// fires; the window looks at the files again and re-arms the watch.
// The one handle it holds, on the game folder, would keep a USB stick from
// being removed safely: on a removable drive, when the system asks to
// remove the device, the watch lets go of it, and it is set again once the
// removal was refused or the folder is there again.
#include <windows.h>

#include <string>

#include "core/disk/game_folder.h"

namespace tarnwick {

class GameFolderWatch {
public:
    GameFolderWatch() = default;
    ~GameFolderWatch();
    GameFolderWatch(const GameFolderWatch&) = delete;
    GameFolderWatch& operator=(const GameFolderWatch&) = delete;

    // Starts watching `folder` (by its full path); `message` goes to
    // `window` with the signalled handle as wParam. A watch that cannot be
    // set leaves the window to look again on its timer and when activated.
    void Start(const GameFolder& folder, HWND window, UINT message);
    // Sets the watch again after it let go of the folder (Start's folder,
    // window and message); false when it could not.
    bool Restart();
    void Rearm();
    void Stop();
    bool Watching() const { return watch_ != INVALID_HANDLE_VALUE; }

    // The window's WM_DEVICECHANGE: a request to remove the folder's
    // device closes the watch, a refused removal sets it again.
    void OnDeviceChange(WPARAM event, LPARAM data);

private:
    void Close();       // the watch and its device registration
    void CloseWatch();  // the watch alone

    HANDLE watch_ = INVALID_HANDLE_VALUE;
    HDEVNOTIFY device_ = nullptr;  // the system tells the window of the watch's device
    bool removable_ = false;       // the folder is on a removable drive
    std::wstring path_;
    HWND window_ = nullptr;
    UINT message_ = 0;
};

}  // namespace tarnwick
