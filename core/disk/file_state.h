#pragma once
// What is at a name now, asked without keeping anything open: a file or a
// folder, read-only or not, held by another program or free to replace.
#include <windows.h>

#include <string>

namespace tarnwick::fileio {

bool FileExists(const std::wstring& path);    // a file, not a folder
bool FolderExists(const std::wstring& path);  // a folder, not a file
bool IsReadOnly(const std::wstring& path);


// Whether another program holds the file open so that it cannot be
// deleted or replaced now.
bool HeldOpenByOthers(const std::wstring& path);

// The attributes of what `path` names. 0 with INVALID_FILE_ATTRIBUTES when
// nothing is there (the file or a folder on its way is missing); the error
// when the attributes cannot be read.
DWORD ExistingAttributes(const std::wstring& path, DWORD& attributes);

// Whether an existing file could be replaced by a rename now: not read-only
// and not held open by anyone who denies writing or deleting. A missing
// file is replaceable. Returns 0 or the error found.
DWORD CheckReplaceable(const std::wstring& path);

}  // namespace tarnwick::fileio
