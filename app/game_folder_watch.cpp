#include "app/game_folder_watch.h"

#include "form/message_loop.h"

namespace tarnwick {
namespace {

// Names made, removed or renamed, and files written to.
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CloseWatch(HANDLE& handle) {
    if (handle == INVALID_HANDLE_VALUE) return;
    StopWatchingHandle(handle);
    FindCloseChangeNotification(handle);
    handle = INVALID_HANDLE_VALUE;
}

}  // namespace

GameFolderWatch::~GameFolderWatch() { Stop(); }

void GameFolderWatch::Start(const GameFolder& folder, HWND window, UINT message) {
    Stop();
    folder_ = folder;
    window_ = window;
    message_ = message;
    outer_ = FindFirstChangeNotificationW(folder_.Root().c_str(), FALSE, kChanges);
    if (outer_ != INVALID_HANDLE_VALUE && !WatchHandle(outer_, window_, message_)) CloseWatch(outer_);
    WatchInner();
}

void GameFolderWatch::WatchInner() {
    std::wstring path;
    if (IsFolder(folder_.BackupFolder())) {
        path = folder_.BackupFolder();
    } else if (IsFolder(folder_.DataFolder())) {
        path = folder_.DataFolder();
    }
    if (path == innerPath_ && inner_ != INVALID_HANDLE_VALUE) return;
    CloseWatch(inner_);
    innerPath_ = path;
    if (path.empty()) return;
    inner_ = FindFirstChangeNotificationW(path.c_str(), FALSE, kChanges);
    if (inner_ != INVALID_HANDLE_VALUE && !WatchHandle(inner_, window_, message_)) CloseWatch(inner_);
}

void GameFolderWatch::Rearm(HANDLE signalled) {
    if (signalled == outer_ && !FindNextChangeNotification(outer_)) CloseWatch(outer_);
    if (signalled == inner_ && !FindNextChangeNotification(inner_)) CloseWatch(inner_);
    WatchInner();
}

void GameFolderWatch::Stop() {
    CloseWatch(outer_);
    CloseWatch(inner_);
    innerPath_.clear();
}

}  // namespace tarnwick
