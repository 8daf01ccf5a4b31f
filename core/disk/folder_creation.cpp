#include "core/disk/folder_creation.h"

#include "core/disk/file_state.h"
#include "core/disk/folder_guard.h"
#include "core/disk/path_forms.h"
#include "core/disk/step_watch.h"

namespace tarnwick::fileio {

namespace {

DWORD ErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error ? error : fallback;
}

}  // namespace

DWORD CreationError(DWORD error, const std::wstring& path) {
    const bool notFound = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return notFound && FolderExists(ParentFolder(path)) && FolderGuardCanRefuse(GuardFactsFor(path))
               ? kCreationBlockedError
               : error;
}

DWORD EnsureFolder(const std::wstring& path, bool* created) {
    if (created) *created = false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ERROR_DIRECTORY;
    }
    BeforeStep(Step::Create, path);
    if (!CreateDirectoryW(path.c_str(), nullptr)) return CreationError(ErrorOr(ERROR_CANNOT_MAKE), path);
    if (created) *created = true;
    return 0;
}

}  // namespace tarnwick::fileio
