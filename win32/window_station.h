#pragma once
// Whether anybody can see the windows of this process. A service, or a
// scheduled task set to run "whether the user is logged on or not" (or as
// SYSTEM), runs on a window station of its own that no screen shows: a
// message box there waits forever for a click, the task stays "running"
// and its later triggers are skipped. Such a process shows no window; its
// exit code says what happened.
#include <windows.h>

namespace tarnwick {

// What the window station's UOI_FLAGS say: visible when they carry
// WSF_VISIBLE. Where they cannot be read (`read` false), the station is
// taken as visible, as a desktop session's always is.
bool WindowStationShowsWindows(bool read, DWORD flags);

// The same for this process's window station.
bool WindowStationIsVisible();

}  // namespace tarnwick
