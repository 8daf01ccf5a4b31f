#include "core/disk/game_folder.h"

#include "core/disk/file_io.h"
#include "core/disk/trailing_separator.h"

namespace tarnwick {
namespace {

// The longest name the tool makes below the folder, with room to spare:
// Data\Bak\ and a temporary file's name.
constexpr std::size_t kLongestName = 32;

}  // namespace

std::wstring GameFolder::Root() const { return fileio::LongPathForm(base, kLongestName); }

// The folders are spelt "Data" and "Bak" when created and "data", "bak"
// in some file names; the file system matches names without regard to case.
std::wstring GameFolder::GameFile() const { return Root() + L"\\" + kGameFileName; }
std::wstring GameFolder::DataFolder() const { return Root() + L"\\Data"; }
std::wstring GameFolder::BackupFolder() const { return Root() + L"\\Data\\Bak"; }
std::wstring GameFolder::BackupFile() const { return Root() + L"\\" + kBackupFileName; }
std::wstring GameFolder::BackupRecordFile() const { return Root() + L"\\Data\\bak\\meteor.sum"; }
std::wstring GameFolder::BackupAsideFile() const { return Root() + L"\\" + kBackupAsideFileName; }
std::wstring GameFolder::LockFile() const { return Root() + L"\\Tarnwick.lock"; }
std::wstring GameFolder::BackupLockFile() const { return BackupFolder() + L"\\Tarnwick.lock"; }
std::wstring GameFolder::SettingsCacheFile() const { return Root() + L"\\" + kSettingsCacheFileName; }
std::wstring GameFolder::HintFile() const { return Root() + L"\\data\\Hint.cfg"; }

GameFolder GameFolderAt(const std::wstring& path) {
    std::wstring full = fileio::WithoutTrailingSeparator(fileio::FullPath(path.empty() ? std::wstring(L".") : path));
    // A root keeps its backslash; "D:\." joins names on with one more.
    if (!full.empty() && full.back() == L'\\') full += L'.';
    return GameFolder{full};
}

std::wstring DisplayName(const GameFolder& folder, const std::wstring& path) {
    const std::wstring prefix = folder.Root() + L"\\";
    if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0) return path.substr(prefix.size());
    return path;
}

}  // namespace tarnwick
