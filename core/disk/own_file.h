#pragma once
// Whether a name in the game folder leads to a file of its own there, or
// through a link (a symbolic link, a junction, a folder on the way that is
// one) to some other file: the game file of another install, the backup,
// anything outside the folder. The tool writes, replaces and deletes only
// files of their own, so that nothing a link leads to is changed through
// it.
#include <windows.h>

#include <string>

#include "core/disk/file_io.h"

namespace tarnwick::fileio {

// What the tool's own files answer when the name leads somewhere else: a
// symbolic link or junction, or a folder on the way that is one.
inline constexpr DWORD kNotOwnFileError = ERROR_CANT_ACCESS_FILE;

// Whether a reparse point of this tag leads elsewhere: only name
// surrogates do (symbolic links, junctions and other mount points, WSL's
// links). Other reparse points are the file itself, kept in a special way:
// OneDrive's cloud files (every file of a synced Desktop or Documents),
// deduplicated files on a server, files compressed by "compact /EXE".
bool ReparseTagIsLink(DWORD tag);

// Whether `path` names a link itself (its last part, not a folder on the
// way), by the reparse tag of the name; `attributes` are the name's own.
bool NameIsLink(const std::wstring& path, DWORD attributes);

// Whether the open file is the file `path` names in its own folder, and
// not one that a link of that name (a symbolic link, a junction) leads
// to: its resolved name must be the folder's resolved name and the same
// leaf. Under Wine a Unix symbolic link shows no reparse attribute, so the
// resolved name decides; where the system cannot resolve names (Windows
// XP), the reparse attribute of the name does.
bool NamesOwnFile(const File& file, const std::wstring& path);

// Whether the open file is a plain file of its own at `path`: no folder,
// no reparse point, one name only (no hard link of another file), and
// named as NamesOwnFile requires. `facts` are the handle's own (File::Facts).
bool IsPlainOwnFile(const File& file, const std::wstring& path, const FileFacts& facts);

// 0 when `path` names nothing, a folder, or a file of its own in the
// folder (see NamesOwnFile); kNotOwnFileError when it names a link or its
// target; another error when that cannot be told.
DWORD CheckOwnName(const std::wstring& path);

// Deletes `path` only when it is a file of its own in its folder: a link
// standing there is left alone with kNotOwnFileError, so that no file it
// leads to is deleted (Wine's DeleteFileW follows symbolic links). A
// missing file is no error.
DWORD DeleteOwnFile(const std::wstring& path);

}  // namespace tarnwick::fileio
