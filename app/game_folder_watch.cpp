#include "app/game_folder_watch.h"

#include "form/message_loop.h"

namespace tarnwick {
namespace {

// Names made, removed or renamed, and files written to.
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

}  // namespace

GameFolderWatch::~GameFolderWatch() { Stop(); }

void GameFolderWatch::Start(const GameFolder& folder, HWND window, UINT message) {
    Stop();
    watch_ = FindFirstChangeNotificationW(folder.Root().c_str(), TRUE, kChanges);
    if (watch_ != INVALID_HANDLE_VALUE && !WatchHandle(watch_, window, message)) Stop();
}

void GameFolderWatch::Rearm() {
    if (watch_ != INVALID_HANDLE_VALUE && !FindNextChangeNotification(watch_)) Stop();
}

void GameFolderWatch::Stop() {
    if (watch_ == INVALID_HANDLE_VALUE) return;
    StopWatchingHandle(watch_);
    FindCloseChangeNotification(watch_);
    watch_ = INVALID_HANDLE_VALUE;
}

}  // namespace tarnwick
