#pragma once
// The files the tool keeps in the game folder. Every name is taken relative
// to one base folder (the current folder when the tool runs), so the game
// file that is backed up is always the one that is patched.
#include <cstdint>
#include <string>

namespace tarnwick {

// The game file, as the player and every text of the tool name it.
inline constexpr wchar_t kGameFileName[] = L"meteor.exe";

// The backup of the game file and the values applied last, below the game
// folder, as the files are named here and in the texts that name them.
inline constexpr wchar_t kBackupFileName[] = L"Data\\bak\\meteor.bak";
inline constexpr wchar_t kSettingsCacheFileName[] = L"Data\\Slowlysave.cfg";
// Where an apply keeps a backup that is another game file's original (an
// install sharing the Data folder, or this one before an update) rather
// than overwrite it.
inline constexpr wchar_t kBackupAsideFileName[] = L"Data\\bak\\meteor.old";

// meteor.exe is a few megabytes; anything far larger is not a game file
// the tool should load whole (and neither is a backup that large).
inline constexpr std::uint64_t kMaxGameFileSize = 256u << 20;

struct GameFolder {
    std::wstring base = L".";  // no trailing backslash

    // The base the file names below are built on: `base` itself, or in a
    // folder too deep for plain paths, its full path in the \\?\ form, so
    // that every file of the folder can be reached whatever its depth.
    std::wstring Root() const;

    std::wstring GameFile() const;           // base\meteor.exe
    std::wstring DataFolder() const;         // base\Data
    std::wstring BackupFolder() const;       // base\Data\Bak
    std::wstring BackupFile() const;         // base\Data\bak\meteor.bak
    std::wstring BackupRecordFile() const;   // base\Data\bak\meteor.sum
    std::wstring BackupAsideFile() const;    // base\Data\bak\meteor.old
    std::wstring LockFile() const;           // base\Tarnwick.lock
    std::wstring BackupLockFile() const;     // base\Data\bak\Tarnwick.lock
    std::wstring SettingsCacheFile() const;  // base\Data\Slowlysave.cfg
    std::wstring HintFile() const;           // base\data\Hint.cfg
};

// The folder a path typed by the player names, resolved once to its full
// path: relative to the current folder, with "." and ".." resolved and the
// trailing spaces and dots that the system drops from a name dropped. The
// tool checks, changes and names this one path. A drive's root stays a
// root ("D:\\.").
GameFolder GameFolderAt(const std::wstring& path);

// The file's name relative to the game folder, as the player knows it.
std::wstring DisplayName(const GameFolder& folder, const std::wstring& path);

}  // namespace tarnwick
