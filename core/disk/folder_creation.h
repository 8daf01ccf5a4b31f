#pragma once
// Creating the tool's folders, and what a creation refused in a folder
// that is there means.
#include <windows.h>

#include <string>

namespace tarnwick::fileio {

// What creating a file or folder answers when the folder it goes into is
// there and the system still says the path is not found: Windows'
// Controlled Folder Access ("勒索软件防护") refuses the tool so in the
// folders it protects (Desktop, Documents and others), whatever the rights.
inline constexpr DWORD kCreationBlockedError = ERROR_ACCESS_DISABLED_BY_POLICY;

// `error` of creating `path`, with a "not found" in a folder that is there
// turned into kCreationBlockedError.
DWORD CreationError(DWORD error, const std::wstring& path);

// Creates the folder if it is not there. `created` tells whether it was
// made by this call. A file of that name is ERROR_DIRECTORY.
DWORD EnsureFolder(const std::wstring& path, bool* created = nullptr);

}  // namespace tarnwick::fileio
