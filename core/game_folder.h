#pragma once
// The files the tool keeps in the game folder. Every name is taken relative
// to one base folder (the current folder when the tool runs), so the game
// file that is backed up is always the one that is patched.
#include <string>

namespace tarnwick {

struct GameFolder {
    std::wstring base = L".";  // no trailing backslash

    std::wstring GameFile() const;           // base\meteor.exe
    std::wstring DataFolder() const;         // base\Data
    std::wstring BackupFolder() const;       // base\Data\Bak
    std::wstring BackupFile() const;         // base\Data\bak\meteor.bak
    std::wstring SettingsCacheFile() const;  // base\Data\Slowlysave.cfg
    std::wstring HintFile() const;           // base\data\Hint.cfg
};

bool FileExists(const std::wstring& path);    // a file, not a folder
bool FolderExists(const std::wstring& path);  // a folder, not a file

}  // namespace tarnwick
