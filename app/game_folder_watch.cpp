#include "app/game_folder_watch.h"

#include <dbt.h>

#include "core/disk/file_io.h"
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
    // The system asks for a full path: a relative one is taken from the
    // current folder, which is the process's, not the folder's.
    path_ = fileio::FullPath(folder.Root());
    window_ = window;
    message_ = message;
    // Only a removable drive (a USB stick, a card) is asked to be removed
    // safely; asking the system to tell of removals loads a library
    // (about a megabyte of memory under Wine) that other folders never
    // need.
    const std::wstring plain = fileio::PlainForm(path_);
    const wchar_t root[] = {plain.empty() ? L'\0' : plain[0], L':', L'\\', 0};
    removable_ = plain.size() > 1 && plain[1] == L':' && GetDriveTypeW(root) == DRIVE_REMOVABLE;
    Restart();
}

bool GameFolderWatch::Restart() {
    Close();
    if (path_.empty()) return false;
    watch_ = FindFirstChangeNotificationW(path_.c_str(), TRUE, kChanges);
    if (watch_ == INVALID_HANDLE_VALUE) return false;
    if (!WatchHandle(watch_, window_, message_)) {
        Close();
        return false;
    }
    if (!removable_) return true;
    DEV_BROADCAST_HANDLE filter{};
    filter.dbch_size = sizeof filter;
    filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
    filter.dbch_handle = watch_;
    device_ = RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    return true;
}

void GameFolderWatch::Rearm() {
    if (watch_ != INVALID_HANDLE_VALUE && !FindNextChangeNotification(watch_)) Close();
}

void GameFolderWatch::Close() {
    if (device_) UnregisterDeviceNotification(device_);
    device_ = nullptr;
    CloseWatch();
}

void GameFolderWatch::CloseWatch() {
    if (watch_ == INVALID_HANDLE_VALUE) return;
    StopWatchingHandle(watch_);
    FindCloseChangeNotification(watch_);
    watch_ = INVALID_HANDLE_VALUE;
}

void GameFolderWatch::Stop() {
    Close();
    path_.clear();
}

void GameFolderWatch::OnDeviceChange(WPARAM event, LPARAM data) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_HANDLE) return;
    const auto* device = reinterpret_cast<const DEV_BROADCAST_HANDLE*>(data);
    switch (event) {
        case DBT_DEVICEQUERYREMOVE:
            // The handle goes, so the removal may go ahead; the
            // registration stays until the removal is done or refused.
            if (device->dbch_hdevnotify == device_) CloseWatch();
            break;
        case DBT_DEVICEQUERYREMOVEFAILED:
            if (device->dbch_hdevnotify == device_) Restart();
            break;
        case DBT_DEVICEREMOVECOMPLETE:
        case DBT_DEVICEREMOVEPENDING:
            if (device->dbch_hdevnotify == device_) Close();
            break;
        default:
            break;
    }
}

}  // namespace tarnwick
