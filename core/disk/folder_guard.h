#pragma once
// Whether Windows' Controlled Folder Access ("勒索软件防护") can be what
// refused the tool a file: it exists from Windows 10 version 1709 (build
// 16299) on, guards local folders only, and acts on a real folder, not on
// a link that leads nowhere. Elsewhere a "not found" in a folder that is
// there has another cause, and the tool must not send the player to a
// setting they do not have.
#include <windows.h>

#include <string>

namespace tarnwick::fileio {

struct GuardFacts {
    DWORD major = 0;  // the system's version and build
    DWORD build = 0;
    UINT driveType = DRIVE_UNKNOWN;  // of the volume the folder is on
    bool realFolder = false;         // the folder is there, a folder, and no link
};

bool FolderGuardCanRefuse(const GuardFacts& facts);

// The facts for the folder that holds `path`, as this system gives them.
GuardFacts GuardFactsFor(const std::wstring& path);

}  // namespace tarnwick::fileio
