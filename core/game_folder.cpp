#include "core/game_folder.h"

#include <windows.h>

namespace tarnwick {

// The folders are spelt "Data" and "Bak" when created and "data", "bak"
// in some file names; the file system matches names without regard to case.
std::wstring GameFolder::GameFile() const { return base + L"\\meteor.exe"; }
std::wstring GameFolder::DataFolder() const { return base + L"\\Data"; }
std::wstring GameFolder::BackupFolder() const { return base + L"\\Data\\Bak"; }
std::wstring GameFolder::BackupFile() const { return base + L"\\Data\\bak\\meteor.bak"; }
std::wstring GameFolder::BackupRecordFile() const { return base + L"\\Data\\bak\\meteor.sum"; }
std::wstring GameFolder::LockFile() const { return base + L"\\Tarnwick.lock"; }
std::wstring GameFolder::SettingsCacheFile() const { return base + L"\\Data\\Slowlysave.cfg"; }
std::wstring GameFolder::HintFile() const { return base + L"\\data\\Hint.cfg"; }

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace tarnwick
