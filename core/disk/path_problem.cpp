#include "core/disk/path_problem.h"

#include <windows.h>

#include "core/disk/file_io.h"
#include "core/disk/folder_guard.h"
#include "core/disk/held_file_retry.h"
#include "core/disk/own_file.h"
#include "core/disk/read_only_disk.h"

namespace tarnwick {

Outcome OutcomeForError(unsigned long error, const std::wstring& path, bool isGameFile) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return isGameFile ? Outcome::GameFileInUse : Outcome::FileInUse;
        case ERROR_WRITE_PROTECT:
            return Outcome::ReadOnlyDisk;
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            // The tool names only files it meant to write and folders it
            // failed to create; a folder found there stands in the way.
            if (fileio::FolderExists(path)) return Outcome::NotAFile;
            // A rename over a file that another program holds open is
            // refused as access denied, too.
            if (fileio::HeldOpenByOthers(path)) return isGameFile ? Outcome::GameFileInUse : Outcome::FileInUse;
            if (OnReadOnlyDisk(path)) return Outcome::ReadOnlyDisk;
            return fileio::IsReadOnly(path) ? Outcome::ReadOnly : Outcome::AccessDenied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return Outcome::DiskFull;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            // "Not found" for a file that is there: Controlled Folder Access
            // refusing to let the tool write it.
            if (fileio::FileExists(path) && fileio::FolderGuardCanRefuse(fileio::GuardFactsFor(path))) {
                return Outcome::CreationBlocked;
            }
            return isGameFile ? Outcome::GameFileMissing : Outcome::Failed;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            // Another program put something at the name while the tool
            // worked; the tool leaves it as it is.
            return fileio::FolderExists(path) ? Outcome::NotAFile : Outcome::NotOwnFile;
        case fileio::kNoLongerNamedError:
            return isGameFile ? Outcome::GameFileReplaced : Outcome::WrittenFileRemoved;
        case fileio::kHeldByOtherProgramError:
            return Outcome::FileBeingChecked;
        case fileio::kCreationBlockedError:
            return Outcome::CreationBlocked;
        case fileio::kNotOwnFileError:
            return isGameFile ? Outcome::GameFileLinked : Outcome::NotOwnFile;
        case ERROR_DIRECTORY:
            if (fileio::FileExists(path)) return Outcome::NotAFolder;
            return fileio::FolderExists(path) ? Outcome::NotAFile : Outcome::Failed;
        default:
            return Outcome::Failed;
    }
}

}  // namespace tarnwick
