#pragma once
// A program started "as administrator" runs in a logon session of its own,
// which does not have the network drives the player mapped: started that
// way from the game folder on a mapped drive, the tool finds neither that
// folder nor its own, and the system starts it in the system folder.
#include <string>

namespace tarnwick {

// True when `folder` lies on a drive letter the system does not know
// ("Z:\Games" with no Z:). (A network path, "\\server\share", needs no
// mapping, and is seen.)
bool FolderOnUnseenDrive(const std::wstring& folder);

// True when this process runs elevated and its own folder lies on a drive
// it does not see: the cause to name instead of "not in the game folder".
bool StartedElevatedFromUnseenDrive();

}  // namespace tarnwick
